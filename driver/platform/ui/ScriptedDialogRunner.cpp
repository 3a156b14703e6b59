#include "platform/ui/ScriptedDialogRunner.h"

#include <algorithm>

namespace platform::ui {

namespace {

std::string name(const Dialog& dialog) {
    return std::to_string(dialog.templateId());
}

}  // namespace

using Scene = ScriptedDialogRunner::Scene;

Scene& Scene::click(int id) {
    steps.push_back({"click " + std::to_string(id), [id](Dialog& d) { return d.userClick(id); }});
    return *this;
}

Scene& Scene::type(int id, std::string text) {
    steps.push_back({"type " + std::to_string(id) + " \"" + text + "\"",
                     [id, text](Dialog& d) { return d.userType(id, text); }});
    return *this;
}

Scene& Scene::select(int id, int index) {
    steps.push_back({"select " + std::to_string(id) + " #" + std::to_string(index),
                     [id, index](Dialog& d) { return d.userSelect(id, index); }});
    return *this;
}

Scene& Scene::selectData(int id, std::intptr_t data) {
    steps.push_back({"select " + std::to_string(id) + " data " + std::to_string(data),
                     [id, data](Dialog& d) { return d.userSelectData(id, data); }});
    return *this;
}

Scene& Scene::spin(int id, int delta) {
    steps.push_back({"spin " + std::to_string(id) + " " + std::to_string(delta),
                     [id, delta](Dialog& d) { return d.userSpin(id, delta); }});
    return *this;
}

Scene& Scene::focus(int id) {
    steps.push_back({"focus " + std::to_string(id), [id](Dialog& d) { return d.userFocus(id); }});
    return *this;
}

Scene& Scene::key(Key k) {
    steps.push_back({k == Key::Enter ? "key Enter" : "key Escape", [k](Dialog& d) {
                         d.userKey(k);
                         return true;
                     }});
    return *this;
}

Scene& Scene::checkRow(int id, int row, bool checked) {
    steps.push_back({"check " + std::to_string(id) + " row " + std::to_string(row),
                     [id, row, checked](Dialog& d) { return d.userCheckRow(id, row, checked); }});
    return *this;
}

Scene& Scene::doubleClickRow(int id, int row) {
    steps.push_back({"double-click " + std::to_string(id) + " row " + std::to_string(row),
                     [id, row](Dialog& d) { return d.userDoubleClickRow(id, row); }});
    return *this;
}

Scene& Scene::editCell(int id, int row, std::string text) {
    steps.push_back({"edit " + std::to_string(id) + " row " + std::to_string(row),
                     [id, row, text](Dialog& d) { return d.userEditCell(id, row, text); }});
    return *this;
}

Scene& Scene::close() {
    steps.push_back({"close", [](Dialog& d) {
                         d.userClose();
                         return true;
                     }});
    return *this;
}

Scene& Scene::inspect(std::function<void(Dialog&)> step) {
    steps.push_back({"inspect", [step = std::move(step)](Dialog& d) {
                         step(d);
                         return true;
                     }});
    return *this;
}

Scene& Scene::answerMessageBox(int answer) {
    boxAnswers.push_back(answer);
    return *this;
}

Scene& Scene::answerFileChooser(std::optional<std::string> path) {
    fileAnswers.push_back(std::move(path));
    return *this;
}

Scene& Scene::atPump(int n) {
    pump = std::max(1, n);
    return *this;
}

ScriptedDialogRunner::ScriptedDialogRunner(std::shared_ptr<platform::ScriptedUiServices> ui)
    : ui_(std::move(ui)) {}

Scene& ScriptedDialogRunner::when(int templateId) {
    scenes_.emplace_back();
    scenes_.back().templateId = templateId;
    return scenes_.back();
}

std::optional<Scene> ScriptedDialogRunner::takeScene(int templateId, bool modeless) {
    for (auto it = scenes_.begin(); it != scenes_.end(); ++it) {
        if ((it->pump > 0) == modeless && (it->templateId == 0 || it->templateId == templateId)) {
            Scene scene = std::move(*it);
            scenes_.erase(it);
            return scene;
        }
    }
    return std::nullopt;
}

void ScriptedDialogRunner::queueAnswers(const Scene& scene) {
    if (ui_ == nullptr) {
        if (!scene.boxAnswers.empty() || !scene.fileAnswers.empty()) {
            problems_.push_back("answers scripted without scripted UI services");
        }
        return;
    }
    for (int answer : scene.boxAnswers) {
        ui_->answerNextMessageBox(answer);
    }
    for (const auto& path : scene.fileAnswers) {
        ui_->answerNextFileChooser(path);
    }
}

void ScriptedDialogRunner::play(Dialog& dialog, Scene& scene) {
    for (auto& step : scene.steps) {
        if (dialog.ended()) {
            problems_.push_back("dialog " + name(dialog) +
                                " had ended before: " + step.description);
            break;
        }
        const bool done = step.action(dialog);
        log_.push_back("  " + step.description + (done ? "" : " (refused)"));
        if (!done) {
            problems_.push_back("dialog " + name(dialog) + " refused: " + step.description);
        }
    }
}

int ScriptedDialogRunner::runModal(Dialog& dialog) {
    log_.push_back("modal " + name(dialog));
    std::optional<Scene> scene = takeScene(dialog.templateId(), false);
    if (scene) {
        queueAnswers(*scene);
    }
    dialog.initialize();
    if (!dialog.ended()) {
        if (scene) {
            play(dialog, *scene);
        } else {
            problems_.push_back("no scene for dialog " + name(dialog));
        }
    }
    if (!dialog.ended()) {
        if (scene) {
            problems_.push_back("dialog " + name(dialog) + " still open after its scene");
        }
        dialog.endDialog(IDCANCEL);
    }
    log_.push_back("end " + name(dialog) + " -> " + std::to_string(dialog.endCode()));
    return dialog.endCode();
}

void ScriptedDialogRunner::createModeless(Dialog& dialog) {
    log_.push_back("modeless " + name(dialog));
    Live live;
    live.dialog = &dialog;
    live.scene = takeScene(dialog.templateId(), true);
    if (live.scene) {
        queueAnswers(*live.scene);
    }
    modeless_.push_back(std::move(live));
    dialog.initialize();
}

void ScriptedDialogRunner::showModeless(Dialog& dialog, bool visible) {
    for (auto& live : modeless_) {
        if (live.dialog == &dialog) {
            live.visible = visible;
        }
    }
    log_.push_back((visible ? "show " : "hide ") + name(dialog));
}

void ScriptedDialogRunner::centreModeless(Dialog& dialog, WindowHandle) {
    log_.push_back("centre " + name(dialog));
}

void ScriptedDialogRunner::destroyModeless(Dialog& dialog) {
    log_.push_back("destroy " + name(dialog));
    for (const Live& live : modeless_) {
        if (live.dialog == &dialog && live.scene) {
            problems_.push_back("dialog " + name(dialog) + " destroyed before pump " +
                                std::to_string(live.scene->pump));
        }
    }
    std::erase_if(modeless_, [&](const Live& live) { return live.dialog == &dialog; });
}

void ScriptedDialogRunner::pumpEvents() {
    ++pumps_;
    // Index loop: an action may create or destroy modeless windows.
    for (std::size_t i = 0; i < modeless_.size(); ++i) {
        Live& live = modeless_[i];
        ++live.pumpsSeen;
        if (live.scene && live.pumpsSeen == live.scene->pump) {
            Scene scene = std::move(*live.scene);
            live.scene.reset();
            Dialog& dialog = *live.dialog;
            log_.push_back("pump " + std::to_string(pumps_) + " in " + name(dialog));
            play(dialog, scene);
        }
    }
}

std::vector<std::string> ScriptedDialogRunner::problems() const {
    std::vector<std::string> all = problems_;
    for (const Scene& unused : scenes_) {
        all.push_back("scene for dialog " + std::to_string(unused.templateId) + " never used");
    }
    return all;
}

}  // namespace platform::ui
