#include "simulator/Instrument.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "simulator/StoredDataFill.h"

namespace rx9100sim {

std::chrono::microseconds WireTiming::transfer(std::size_t bytes) const {
    if (baud <= 0) {
        return std::chrono::microseconds(0);
    }
    const double seconds = static_cast<double>(bytes) * bitsPerByte / baud;
    return std::chrono::microseconds(static_cast<long long>(seconds * 1e6));
}

Instrument::Instrument(Identity identity)
    : identity_(std::move(identity)), timer_([this](std::stop_token st) { timerLoop(st); }) {}

Instrument::~Instrument() {
    {
        // Under the lock, so the timer thread cannot miss the wake-up between its check
        // and its wait.
        std::lock_guard lock(mutex_);
        timer_.request_stop();
    }
    wake_.notify_all();
}

// --- configuration -----------------------------------------------------------------------

void Instrument::setIdentity(const Identity& identity) {
    std::lock_guard lock(mutex_);
    identity_ = identity;
}

Identity Instrument::identity() const {
    std::lock_guard lock(mutex_);
    return identity_;
}

void Instrument::setScene(const LightSource& source, double luminance) {
    std::lock_guard lock(mutex_);
    scene_.source = source;
    scene_.luminance = luminance;
}

Scene Instrument::scene() const {
    std::lock_guard lock(mutex_);
    return scene_;
}

void Instrument::presentSamples(const std::vector<Sample>& samples) {
    std::lock_guard lock(mutex_);
    scene_.samples = samples;
    scene_.nextSample = 0;
}

void Instrument::setMiscalibration(const Miscalibration& errors) {
    std::lock_guard lock(mutex_);
    errors_ = errors;
}

Miscalibration Instrument::miscalibration() const {
    std::lock_guard lock(mutex_);
    return errors_;
}

void Instrument::setMeasuringAngle(int angle) {
    std::lock_guard lock(mutex_);
    memory_.measuringAngle = std::clamp(angle, 0, kAngles - 1);
}

int Instrument::measuringAngle() const {
    std::lock_guard lock(mutex_);
    return memory_.measuringAngle;
}

void Instrument::setMeasuringTiming(const MeasuringTiming& timing) {
    std::lock_guard lock(mutex_);
    timing_ = timing;
}

void Instrument::setWireTiming(const WireTiming& wire) {
    std::lock_guard lock(mutex_);
    wire_ = wire;
}

WireTiming Instrument::wireTiming() const {
    std::lock_guard lock(mutex_);
    return wire_;
}

void Instrument::setNoise(double relative, unsigned seed) {
    std::lock_guard lock(mutex_);
    noise_ = relative;
    rng_.seed(seed);
}

// --- memory -------------------------------------------------------------------------------

Memory Instrument::memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

void Instrument::setMemory(const Memory& memory) {
    std::lock_guard lock(mutex_);
    memory_ = memory;
}

bool Instrument::loadState(const std::string& path, std::string* error) {
    std::ifstream in(path);
    if (!in) {
        if (error) {
            *error = "cannot read " + path;
        }
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    auto m = memoryFromJson(text.str(), error);
    if (!m) {
        return false;
    }
    setMemory(*m);
    return true;
}

bool Instrument::saveState(const std::string& path) const {
    const std::string text = memoryToJson(memory());
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!(out << text)) {
            return false;
        }
    }
    // Replace in one step so that a crash never leaves half a file.
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

void Instrument::setMemoryChangedHook(std::function<void()> hook) {
    std::lock_guard lock(mutex_);
    memoryHook_ = std::move(hook);
}

// --- running state ------------------------------------------------------------------------

bool Instrument::remoteMode() const {
    std::lock_guard lock(mutex_);
    return runtime_.remote;
}

void Instrument::leaveRemoteMode() {
    std::lock_guard lock(mutex_);
    runtime_.remote = false;
    runtime_.keyEnabled = false;
}

bool Instrument::keyEnabled() const {
    std::lock_guard lock(mutex_);
    return runtime_.keyEnabled;
}

bool Instrument::isMeasuring() const {
    std::lock_guard lock(mutex_);
    return runtime_.measuring.has_value();
}

bool Instrument::waitUntilIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return wake_.wait_for(lock, timeout, [&] { return !runtime_.measuring; });
}

CommandContext Instrument::contextLocked(std::deque<std::string>& continuation,
                                         std::optional<SessionId> session) {
    return CommandContext{memory_, runtime_, identity_,    scene_,  errors_,     timing_,
                          noise_,  rng_,     continuation, session, Clock::now()};
}

bool Instrument::startKeyMeasurementLocked() {
    if (!runtime_.remote || !runtime_.keyEnabled || runtime_.measuring) {
        return false;
    }
    std::deque<std::string> unused;
    CommandContext c = contextLocked(unused, std::nullopt);
    startMeasurement(c);
    return true;
}

bool Instrument::pressKey() {
    bool started = false;
    {
        std::lock_guard lock(mutex_);
        started = startKeyMeasurementLocked();
    }
    wake_.notify_all();
    return started;
}

void Instrument::setAutoKeyInterval(std::chrono::milliseconds interval) {
    {
        std::lock_guard lock(mutex_);
        autoKey_ = interval;
        nextAutoKey_ = Clock::now() + interval;
    }
    wake_.notify_all();
}

std::optional<StoredRecord> Instrument::lastMeasurement() const {
    std::lock_guard lock(mutex_);
    return runtime_.lastMeasurement;
}

bool Instrument::storeSample(int number) {
    {
        std::lock_guard lock(mutex_);
        if (number < 0 || number >= kSamples || !runtime_.lastMeasurement) {
            return false;
        }
        memory_.samples[number] = runtime_.lastMeasurement;
    }
    memoryChanged();
    return true;
}

bool Instrument::storeTarget(int number, const std::string& name) {
    {
        std::lock_guard lock(mutex_);
        if (number < 1 || number > kTargets || !runtime_.lastMeasurement) {
            return false;
        }
        memory_.targets[number] = runtime_.lastMeasurement;
        memory_.targets[number]->name = name.substr(0, kNameLength);
        runtime_.targetPoints.erase(number);
    }
    memoryChanged();
    return true;
}

void Instrument::fillStoredData(int count) {
    {
        std::lock_guard lock(mutex_);
        rx9100sim::fillStoredData(memory_, count, identity_);
        runtime_.targetPoints.clear();
    }
    memoryChanged();
}

void Instrument::memoryChanged() {
    std::function<void()> hook;
    {
        std::lock_guard lock(mutex_);
        hook = memoryHook_;
    }
    if (hook) {
        hook();
    }
}

// --- faults -------------------------------------------------------------------------------

void Instrument::injectFault(const Fault& fault) {
    std::lock_guard lock(mutex_);
    faults_.push_back(ArmedFault{fault, 0});
}

void Instrument::clearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

std::size_t Instrument::armedFaults() const {
    std::lock_guard lock(mutex_);
    return faults_.size();
}

// --- transcript ---------------------------------------------------------------------------

std::vector<TranscriptEntry> Instrument::transcript() const {
    std::lock_guard lock(mutex_);
    return transcript_;
}

std::vector<std::string> Instrument::receivedLines() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const auto& e : transcript_) {
        if (e.direction == TranscriptEntry::Direction::Received) {
            std::string text = e.bytes;
            while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) {
                text.pop_back();
            }
            lines.push_back(std::move(text));
        }
    }
    return lines;
}

void Instrument::clearTranscript() {
    std::lock_guard lock(mutex_);
    transcript_.clear();
    for (auto& [id, s] : sessions_) {
        s.lastReceivedEntry.reset();
    }
}

void Instrument::setTranscriptKeptInMemory(bool keep) {
    std::lock_guard lock(mutex_);
    keepTranscript_ = keep;
    if (!keep) {
        transcript_.clear();
    }
}

bool Instrument::setTranscriptFile(const std::string& path) {
    std::lock_guard lock(mutex_);
    transcriptFile_.close();
    transcriptFile_.clear();
    if (path.empty()) {
        return true;
    }
    transcriptFile_.open(path, std::ios::app);
    return transcriptFile_.is_open();
}

void Instrument::record(TranscriptEntry::Direction direction, std::string bytes) {
    TranscriptEntry e{std::chrono::system_clock::now(), direction, std::move(bytes)};
    if (transcriptFile_.is_open()) {
        transcriptFile_ << formatTranscriptEntry(e) << '\n' << std::flush;
    }
    if (keepTranscript_) {
        transcript_.push_back(std::move(e));
    }
}

// --- connections --------------------------------------------------------------------------

SessionId Instrument::attach(Sink sink) {
    std::lock_guard lock(mutex_);
    const SessionId id = nextSession_++;
    sessions_[id].sink = std::move(sink);
    return id;
}

void Instrument::detach(SessionId session) {
    std::lock_guard lock(mutex_);
    sessions_.erase(session);
}

bool Instrument::repliesPending() const {
    std::lock_guard lock(mutex_);
    return std::any_of(sessions_.begin(), sessions_.end(),
                       [](const auto& entry) { return entry.second.repliesInFlight > 0; });
}

void Instrument::receive(SessionId id, std::string_view bytes) {
    std::vector<Emission> out;
    Sink sink;
    bool changed = false;
    std::function<void()> hook;
    {
        std::lock_guard lock(mutex_);
        const auto it = sessions_.find(id);
        if (it == sessions_.end()) {
            return;
        }
        Session& session = it->second;
        for (const auto& line : session.assembler.feed(bytes)) {
            processLine(session, id, line, out, changed);
        }
        sink = session.sink;
        hook = memoryHook_;
        session.repliesInFlight += out.empty() ? 0 : 1;
    }
    wake_.notify_all();
    for (const auto& e : out) {
        sink(e);
    }
    if (!out.empty()) {
        std::lock_guard lock(mutex_);
        if (const auto it = sessions_.find(id); it != sessions_.end()) {
            --it->second.repliesInFlight;
        }
        wake_.notify_all();
    }
    if (changed && hook) {
        hook();
    }
}

std::string Instrument::exchange(std::string_view line) {
    std::lock_guard lock(mutex_);
    CommandContext c = contextLocked(toolContinuation_, std::nullopt);
    std::string reply = executeCommand(c, line) + "\r\n";
    wake_.notify_all();
    return reply;
}

namespace {

// The comma-separated fields of a reply, and whether the first is a status word.
struct ReplyValues {
    std::vector<std::string> fields;
    std::size_t first = 0;  // index of the first value

    explicit ReplyValues(const std::string& reply) {
        std::size_t start = 0;
        while (true) {
            const auto comma = reply.find(',', start);
            fields.push_back(reply.substr(
                start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
        first = reply.starts_with("OK") || reply.starts_with("ER") ? 1 : 0;
    }
    std::string joined() const {
        std::string text;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            text += (i ? "," : "") + fields[i];
        }
        return text;
    }
};

// Replaces value `index` of a reply (after its status word, if any) by `text`; an index
// one past the last value adds it.
std::string setValue(const std::string& reply, int index, const std::string& text) {
    ReplyValues r(reply);
    const std::size_t target = static_cast<std::size_t>(index) + r.first;
    if (target > r.fields.size()) {
        return reply;
    }
    if (target == r.fields.size()) {
        r.fields.push_back(text);
    } else {
        r.fields[target] = text;
    }
    return r.joined();
}

// A non-finite value written the way the value it replaces is written.
std::string poisonValue(const std::string& reply, int index, bool nan) {
    ReplyValues r(reply);
    const std::size_t target = static_cast<std::size_t>(index) + r.first;
    if (target >= r.fields.size()) {
        return reply;
    }
    const bool hex = r.fields[target].size() == 8 &&
                     r.fields[target].find_first_not_of("0123456789ABCDEF") == std::string::npos;
    return setValue(reply, index, hex ? (nan ? "7FC00000" : "7F800000") : (nan ? "NAN" : "INF"));
}

// The reply without its last `count` values (the status word stays).
std::string dropValues(const std::string& reply, int count) {
    ReplyValues r(reply);
    const std::size_t values = r.fields.size() - r.first;
    r.fields.resize(r.fields.size() - std::min(values, static_cast<std::size_t>(count)));
    return r.joined();
}

}  // namespace

void Instrument::processLine(Session& session, SessionId id, const LineAssembler::Line& line,
                             std::vector<Emission>& out, bool& changed) {
    using Dir = TranscriptEntry::Direction;
    if (line.lateLf) {
        if (session.lastReceivedEntry && *session.lastReceivedEntry < transcript_.size()) {
            transcript_[*session.lastReceivedEntry].bytes += '\n';
        } else {
            record(Dir::Received, line.raw);
        }
        return;
    }
    record(Dir::Received, line.raw);
    if (keepTranscript_) {
        session.lastReceivedEntry = transcript_.size() - 1;
    }
    if (line.text.empty() && !line.overflow) {
        return;  // blank lines are ignored, as a terminal user's extra Enter
    }

    std::vector<Fault> fired;
    for (auto it = faults_.begin(); it != faults_.end();) {
        if (it->fault.matches(line.text) && ++it->seen >= it->fault.occurrence) {
            fired.push_back(it->fault);
            it = it->fault.repeats ? it + 1 : faults_.erase(it);
        } else {
            ++it;
        }
    }
    const auto has = [&](Fault::Kind kind) -> const Fault* {
        for (const auto& f : fired) {
            if (f.kind == kind) {
                return &f;
            }
        }
        return nullptr;
    };
    if (has(Fault::Kind::LeaveRemote)) {
        runtime_.remote = false;
        runtime_.keyEnabled = false;
    }
    if (has(Fault::Kind::Silent)) {
        return;  // the line was lost: no effect, no reply
    }

    std::string reply;
    if (const Fault* f = has(Fault::Kind::ErrorReply)) {
        char text[8];
        std::snprintf(text, sizeof text, "ER%02d", f->code);
        reply = text;
    } else if (const Fault* r = has(Fault::Kind::Replace)) {
        reply = r->text;
    } else if (line.overflow) {
        reply = overrunReply();
    } else {
        CommandContext c = contextLocked(session.continuation, id);
        reply = executeCommand(c, line.text);
        changed = changed || c.memoryChanged;
    }
    if (const Fault* f = has(Fault::Kind::NanValue)) {
        reply = poisonValue(reply, f->valueIndex, true);
    }
    if (const Fault* f = has(Fault::Kind::InfValue)) {
        reply = poisonValue(reply, f->valueIndex, false);
    }
    if (const Fault* f = has(Fault::Kind::SetValue)) {
        reply = setValue(reply, f->valueIndex, f->text);
    }
    if (const Fault* f = has(Fault::Kind::DropValues)) {
        reply = dropValues(reply, f->count);
    }

    Emission e;
    e.bytes = reply + "\r\n";
    if (const Fault* f = has(Fault::Kind::Garbage)) {
        e.bytes = f->text + e.bytes;
    }
    auto delay = wire_.transfer(line.raw.size()) + wire_.latency + wire_.transfer(e.bytes.size());
    if (const Fault* f = has(Fault::Kind::Slow)) {
        delay += std::chrono::duration_cast<std::chrono::microseconds>(f->delay);
    }
    e.delay = delay;
    if (has(Fault::Kind::HangUp)) {
        e.bytes.resize(e.bytes.size() / 2);
        e.hangUp = true;
    }
    record(Dir::Sent, e.bytes);
    out.push_back(e);
    if (const Fault* f = has(Fault::Kind::StrayLine); f && !e.hangUp) {
        Emission stray;
        stray.bytes = f->text + "\r\n";
        stray.delay = delay + wire_.transfer(stray.bytes.size());
        record(Dir::Sent, stray.bytes);
        out.push_back(stray);
    }
}

void Instrument::timerLoop(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
        std::optional<Clock::time_point> deadline;
        if (runtime_.measuring) {
            deadline = runtime_.measuring->end;
        }
        if (autoKey_.count() > 0 && (!deadline || nextAutoKey_ < *deadline)) {
            deadline = nextAutoKey_;
        }
        // Any notification makes the loop look at the state again.
        if (deadline) {
            wake_.wait_until(lock, *deadline);
        } else {
            wake_.wait(lock);
        }
        if (stop.stop_requested()) {
            break;
        }
        const auto now = Clock::now();
        if (autoKey_.count() > 0 && now >= nextAutoKey_) {
            nextAutoKey_ = now + autoKey_;
            startKeyMeasurementLocked();
        }
        if (runtime_.measuring && now >= runtime_.measuring->end) {
            if (const auto& session = runtime_.measuring->session) {
                const auto it = sessions_.find(*session);
                if (it != sessions_.end() && it->second.repliesInFlight > 0) {
                    // The start reply is still on its way out: finish just after it.
                    wake_.wait_for(lock, std::chrono::milliseconds(1));
                    continue;
                }
            }
            PendingMeasurement done = std::move(*runtime_.measuring);
            runtime_.measuring.reset();
            runtime_.lastMeasurement = std::move(done.result);
            scene_.measurementCompleted();
            runtime_.dataAvailable = true;
            wake_.notify_all();
            if (!done.session) {
                continue;
            }
            const auto it = sessions_.find(*done.session);
            if (it == sessions_.end()) {
                continue;
            }
            Emission e;
            e.bytes = done.insufficient ? "OK16\r\n" : "OK00\r\n";
            e.delay = wire_.transfer(e.bytes.size());
            record(TranscriptEntry::Direction::Sent, e.bytes);
            Sink sink = it->second.sink;
            lock.unlock();
            sink(e);
            lock.lock();
        }
    }
}

}  // namespace rx9100sim
