// The file menu: the result list as a file, export of the selected results, the graph as PNG.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QStatusBar>

#include "ChromaticityDiagram.h"
#include "LinkBanner.h"
#include "MainWindow.h"
#include "ResultExport.h"
#include "ResultsPanel.h"
#include "SpectrumPlot.h"

namespace studio {

namespace {

constexpr QSize kGraphSize(1200, 700);

}  // namespace

void MainWindow::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    addAction(file, QStringLiteral("loadList"), tr("&Open result list..."), [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("Open result list"), {},
                                                          tr("Result lists (*.rx9100.json)"));
        if (!path.isEmpty()) {
            loadResults(path);
        }
    })->setShortcut(QKeySequence::Open);
    addAction(file, QStringLiteral("saveList"), tr("&Save result list..."), [this] {
        QString path = QFileDialog::getSaveFileName(this, tr("Save result list"), {},
                                                    tr("Result lists (*.rx9100.json)"));
        if (path.isEmpty()) {
            return;
        }
        if (!path.endsWith(QStringLiteral(".json"))) {
            path += QStringLiteral(".rx9100.json");
        }
        saveResults(path);
    })->setShortcut(QKeySequence::Save);
    file->addSeparator();
    addAction(file, QStringLiteral("export"), tr("&Export selected results..."), [this] {
        const QString path =
            QFileDialog::getSaveFileName(this, tr("Export selected results"), {},
                                         tr("CSV (*.csv);;JSON lines (*.json);;CGATS (*.ti3)"));
        if (!path.isEmpty()) {
            exportSelection(path);
        }
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addAction(file, QStringLiteral("saveGraph"), tr("Save &graph as PNG..."), [this] {
        QString path =
            QFileDialog::getSaveFileName(this, tr("Save graph"), {}, tr("PNG images (*.png)"));
        if (path.isEmpty()) {
            return;
        }
        if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
            path += QStringLiteral(".png");
        }
        saveGraph(path);
    });
    addAction(file, QStringLiteral("removeResults"), tr("&Remove selected results"), [this] {
        results_.remove(panel_->selection());
        panel_->refresh(false);
    })->setShortcut(QKeySequence::Delete);
    file->addSeparator();
    addAction(file, QStringLiteral("quit"), tr("&Quit"), [this] {
        close();
    })->setShortcut(QKeySequence::Quit);
}

bool MainWindow::saveResults(const QString& path) {
    if (const std::string error = results_.save(path.toStdString()); !error.empty()) {
        banner_->showFailure(QString::fromStdString(error), false);
        return false;
    }
    statusBar()->showMessage(tr("Saved %1 results to %2").arg(results_.size()).arg(path), 5000);
    return true;
}

bool MainWindow::loadResults(const QString& path) {
    if (const std::string error = results_.load(path.toStdString()); !error.empty()) {
        banner_->showFailure(QString::fromStdString(error), false);
        return false;
    }
    panel_->refresh(false);
    panel_->selectAll();
    return true;
}

bool MainWindow::exportSelection(const QString& path) {
    const auto format = formatForPath(path.toStdString());
    if (!format) {
        banner_->showFailure(tr("Export: name the file .csv, .json or .ti3"), false);
        return false;
    }
    const std::string error =
        exportResults(results_, panel_->selection(), reportContext(), *format, path.toStdString());
    if (!error.empty()) {
        banner_->showFailure(tr("Export: %1").arg(QString::fromStdString(error)), false);
        return false;
    }
    statusBar()->showMessage(tr("Exported to %1").arg(path), 5000);
    return true;
}

bool MainWindow::saveGraph(const QString& path) {
    // The graph on show: the spectrum or the chromaticity diagram.
    const QImage image = panel_->tabs()->currentWidget() == panel_->diagram()
                             ? panel_->diagram()->render(QSize(900, 900))
                             : panel_->spectrum()->render(kGraphSize);
    if (!image.save(path, "PNG")) {
        banner_->showFailure(tr("Cannot write %1").arg(path), false);
        return false;
    }
    return true;
}

}  // namespace studio
