#pragma once
// A runner for tests: the test writes down what the user does when each dialog
// appears, runs the driver code, then looks at the control models and end codes.
//
//   auto ui = std::make_shared<platform::ScriptedUiServices>();
//   auto runner = std::make_shared<ScriptedDialogRunner>(ui);
//   runner->when(17020).selectData(1003, 14).type(1007, "1,5").click(IDOK)
//         .answerMessageBox(IDCANCEL);
//
// Message box and file chooser answers of a scene are queued in the scripted
// services as soon as its dialog appears, so they can be written after the
// action that raises the box.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ScriptedUiServices.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DialogRunner.h"

namespace platform::ui {

class ScriptedDialogRunner : public DialogRunner {
  public:
    class Scene {
      public:
        Scene& click(int id);
        Scene& type(int id, std::string text);
        Scene& select(int id, int index);
        Scene& selectData(int id, std::intptr_t data);
        Scene& spin(int id, int delta);
        Scene& focus(int id);
        Scene& key(Key key);
        Scene& checkRow(int id, int row, bool checked = true);
        Scene& doubleClickRow(int id, int row);
        Scene& editCell(int id, int row, std::string text);
        Scene& close();
        // Any other step, e.g. assertions on the models while the dialog is open.
        Scene& inspect(std::function<void(Dialog&)> step);
        Scene& answerMessageBox(int answer);
        Scene& answerFileChooser(std::optional<std::string> path);
        // Modeless windows: run the actions during the n-th event pump after the
        // window was created (n >= 1) instead of at a modal run.
        Scene& atPump(int n);

      private:
        friend class ScriptedDialogRunner;
        struct Step {
            std::string description;
            std::function<bool(Dialog&)> action;
        };
        int templateId = 0;
        int pump = 0;
        std::vector<Step> steps;
        std::vector<int> boxAnswers;
        std::vector<std::optional<std::string>> fileAnswers;
    };

    explicit ScriptedDialogRunner(std::shared_ptr<platform::ScriptedUiServices> ui = nullptr);

    // The scene for the next dialog of that template (0: whichever comes next).
    Scene& when(int templateId = 0);

    int runModal(Dialog& dialog) override;
    void createModeless(Dialog& dialog) override;
    void showModeless(Dialog& dialog, bool visible) override;
    void centreModeless(Dialog& dialog, WindowHandle over) override;
    void destroyModeless(Dialog& dialog) override;
    void pumpEvents() override;

    // Every dialog and action, one line each, e.g. "modal 1501", "click 1 -> ok".
    const std::vector<std::string>& log() const { return log_; }
    // What did not go as written: dialogs without a scene, refused actions,
    // dialogs still open after their scene, scenes never used.
    std::vector<std::string> problems() const;
    int pumpCount() const { return pumps_; }

  private:
    struct Live {
        Dialog* dialog = nullptr;
        std::optional<Scene> scene;
        int pumpsSeen = 0;
        bool visible = false;
    };

    std::optional<Scene> takeScene(int templateId, bool modeless);
    void play(Dialog& dialog, Scene& scene);
    void queueAnswers(const Scene& scene);

    std::shared_ptr<platform::ScriptedUiServices> ui_;
    std::deque<Scene> scenes_;
    std::vector<Live> modeless_;
    std::vector<std::string> log_;
    std::vector<std::string> problems_;
    int pumps_ = 0;
};

}  // namespace platform::ui
