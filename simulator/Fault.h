#pragma once
// Misbehaviour the simulated instrument can be told to show, once, at the k-th
// command that matches.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace rx9100sim {

struct Fault {
    enum class Kind {
        ErrorReply,   // answer "ERnn" instead of the real reply
        LeaveRemote,  // leave remote mode before the command, so it answers "ER00"
        Silent,       // no reply at all
        StrayLine,    // an extra line after the reply
        Garbage,      // bytes put in front of the reply
        NanValue,     // a NaN in place of one value of a hexadecimal reply
        InfValue,     // the same with +infinity
        HangUp,       // half the reply, then the line drops
        Slow,         // the reply comes late
        Replace,      // answer the text instead of the real reply; the command has no effect
        DropValues,   // the last values of the reply are left out
        SetValue,     // one value of the reply becomes the text (past the last: one more)
    };

    Kind kind = Kind::ErrorReply;
    std::string match;                   // command prefix ("MEDR,1,1,2"); empty: every command
    int occurrence = 1;                  // fires at the k-th matching command after arming
    bool repeats = false;                // and at every matching command after it, until cleared
    int code = 30;                       // ErrorReply
    std::string text;                    // StrayLine line (without CR LF), Garbage bytes,
                                         // Replace reply, SetValue value
    std::chrono::milliseconds delay{0};  // Slow
    int valueIndex = 0;                  // NanValue, InfValue, SetValue: 0 is the first value
    int count = 1;                       // DropValues

    bool matches(std::string_view line) const { return line.starts_with(match); }

    // "[PREFIX][#K[+]]:ACTION[:ARG]", for example "MEAS,1#2:error:30", "MEDR,1,1,3:nan:7",
    // "*:silent", "IDDR:slow:2500", "SPMR:stray:OK00", "VERR:garbage:\xFF~",
    // "MEDR:hangup", "STSR:leave-remote", "*#1+:reply:OK00", "MEDR,1,1,2:drop:1",
    // "MEDR,1,1,1:value:7:3F80ZZ00". PREFIX "*" or empty matches every command; "+" after
    // K keeps the fault armed for every later matching command.
    static std::optional<Fault> parse(std::string_view description, std::string* error = nullptr);
    std::string describe() const;
};

// Help text for the fault syntax, shared by the command line and the control channel.
extern const char* const kFaultSyntaxHelp;

}  // namespace rx9100sim
