#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "rx9100qt/QtDialogRunner.h"
#include "rx9100qt/QtUi.h"

// Installs the Qt user interface for one test. Steps queued with `later` run
// once the event loop of the modal window that is about to open is running; a
// watchdog closes any modal window left open so a failing test cannot hang.
class QtUiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        runner = rx9100qt::installQtUi();
        watchdog.setInterval(4000);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a modal window was left open";
                modal->reject();
            }
        });
        watchdog.start();
    }
    void TearDown() override {
        watchdog.stop();
        rx9100qt::uninstallQtUi();
    }

    static void later(std::function<void()> step, int ms = 0) {
        QTimer::singleShot(ms, qApp, std::move(step));
    }

    template <class T>
    T* widget(const platform::ui::Dialog& dialog, int id) {
        return qobject_cast<T*>(runner->widgetFor(dialog, id));
    }

    std::shared_ptr<rx9100qt::QtDialogRunner> runner;
    QTimer watchdog;
};
