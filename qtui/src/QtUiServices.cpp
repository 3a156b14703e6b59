#include "rx9100qt/QtUiServices.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>

#include "rx9100qt/QtDialogRunner.h"

namespace rx9100qt {

namespace {

QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QMessageBox::Icon qtIcon(platform::MessageBoxIcon icon) {
    switch (icon) {
        case platform::MessageBoxIcon::Information:
            return QMessageBox::Information;
        case platform::MessageBoxIcon::Exclamation:
            return QMessageBox::Warning;
        case platform::MessageBoxIcon::Stop:
            return QMessageBox::Critical;
        case platform::MessageBoxIcon::Question:
            return QMessageBox::Question;
        case platform::MessageBoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

bool onGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace

QStringList qtNameFilters(const std::string& filter) {
    QStringList out;
    for (const auto& f : platform::parseFileFilter(filter)) {
        QString patterns = qs(f.pattern);
        patterns.replace(';', ' ');
        out << qs(f.description) + QStringLiteral(" (") + patterns + QStringLiteral(")");
    }
    return out;
}

QtUiServices::QtUiServices(std::shared_ptr<QtDialogRunner> runner) : runner_(std::move(runner)) {}

int QtUiServices::messageBox(platform::WindowHandle owner,
                             const platform::MessageBoxRequest& request) {
    const bool okCancel = request.buttons == platform::MessageBoxButtons::OkCancel;
    if (!onGuiThread()) {
        // Widgets live on the GUI thread, which may itself be waiting for this
        // one: never block on it. A notice is shown there without waiting; a
        // question takes the safe answer.
        if (okCancel || QCoreApplication::instance() == nullptr) {
            return okCancel ? platform::IDCANCEL : platform::IDOK;
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [request] {
                auto* box = new QMessageBox(qtIcon(request.icon),  // deletes itself on close
                                            QGuiApplication::applicationDisplayName(),
                                            qs(request.text), QMessageBox::Ok);
                box->setAttribute(Qt::WA_DeleteOnClose);
                box->show();
            },
            Qt::QueuedConnection);
        return platform::IDOK;
    }
    QWidget* parent = runner_ ? runner_->parentFor(owner) : QApplication::activeWindow();
    const QString caption =
        request.caption.empty() ? QGuiApplication::applicationDisplayName() : qs(request.caption);
    QMessageBox box(qtIcon(request.icon), caption, qs(request.text),
                    okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, parent);
    box.setDefaultButton(okCancel && request.cancelIsDefault ? QMessageBox::Cancel
                                                             : QMessageBox::Ok);
    box.setEscapeButton(okCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    box.exec();
    // A box with only OK answers OK however it was closed, like the native one.
    if (!okCancel) {
        return platform::IDOK;
    }
    return box.clickedButton() == box.button(QMessageBox::Ok) ? platform::IDOK : platform::IDCANCEL;
}

std::optional<std::string> QtUiServices::chooseFile(platform::WindowHandle owner,
                                                    const platform::FileChooserRequest& request) {
    if (!onGuiThread()) {
        return std::nullopt;  // no chooser away from the GUI thread: cancelled
    }
    QWidget* parent = runner_ ? runner_->parentFor(owner) : QApplication::activeWindow();
    QFileDialog chooser(parent);
    chooser.setOption(QFileDialog::DontUseNativeDialog, true);
    chooser.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    chooser.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        chooser.setNameFilters(filters);
    }
    if (!request.defaultExtension.empty()) {
        chooser.setDefaultSuffix(qs(request.defaultExtension));
    }
    if (!request.initialFolder.empty()) {
        chooser.setDirectory(qs(request.initialFolder));
    }
    if (!request.initialName.empty()) {
        // An initial name may carry a folder and a wildcard ("C:/app/*.wcb"):
        // the folder opens, the wildcard is not a file name.
        const QFileInfo info(qs(request.initialName));
        if (request.initialName.find('/') != std::string::npos) {
            chooser.setDirectory(info.absolutePath());
        }
        if (!info.fileName().contains('*') && !info.fileName().contains('?')) {
            chooser.selectFile(info.fileName());
        }
    }
    // Qt has no read-only check box to hide; the overwrite question is Qt's own.
    chooser.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return chooser.selectedFiles().front().toStdString();
}

void QtUiServices::beginWaitCursor() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUiServices::endWaitCursor() {
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace rx9100qt
