// The studio end to end on Qt's offscreen platform, against the built-in simulator: connect,
// measure, the values shown, series, cancel, remote measurement by the instrument's key, a
// line pulled during a measurement, the driver's dialogs and the closing question.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "ChromaticityDiagram.h"
#include "ColourRows.h"
#include "ColourVectorView.h"
#include "LinkBanner.h"
#include "MainWindow.h"
#include "MeasureProgressDialog.h"
#include "MeasureRunner.h"
#include "ResultsPanel.h"
#include "SpectrumPlot.h"
#include "sensor/TavoRX9100.h"
#include "simulator/Fault.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWaitMs = 15000;

TavoRX9100& driver() {
    return *dynamic_cast<TavoRX9100*>(TavoRX9100::getInstance());
}

cli::GlobalOptions simulator(double measuringSeconds, double keyInterval = 0.0) {
    cli::GlobalOptions options;
    options.sim.enabled = true;
    options.sim.noise = 0.0;
    options.sim.measuringTime = measuringSeconds;
    options.sim.keyInterval = keyInterval;
    return options;
}

// Runs step once the next modal window (a dialog or message box) is open.
void whenModal(std::function<void(QWidget*)> step) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, step = std::move(step)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            step(modal);
        }
    });
    timer->start();
}

// Clicks the button labelled text in the window.
void click(QWidget* window, const QString& text) {
    for (auto* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text && button->isVisible()) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button " << text.toStdString() << " in "
                  << window->windowTitle().toStdString();
}

// Runs step once a message box is open above the window that is modal now.
void whenBox(std::function<void(QMessageBox*)> step) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, step = std::move(step)] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            step(box);
        }
    });
    timer->start();
}

class StudioWindow : public ::testing::Test {
  protected:
    void open(const cli::GlobalOptions& options) {
        window = std::make_unique<studio::MainWindow>(driver(), options);
        window->show();
        ASSERT_TRUE(window->connectInstrument()) << window->banner()->text().toStdString();
    }
    bool idleAgain() {
        return QTest::qWaitFor(
            [this] { return !window->runner()->measuring() && !window->runner()->remoteRunning(); },
            kWaitMs);
    }
    QString shown(int row, int column) const {
        QTableWidgetItem* item = window->panel()->colourTable()->item(row, column);
        return item ? item->text() : QString();
    }
    void TearDown() override {
        window.reset();
        fs::remove_all(folder);
    }
    std::string file(const std::string& name) {
        fs::create_directories(folder);
        return (folder / name).string();
    }

    std::unique_ptr<studio::MainWindow> window;
    fs::path folder =
        fs::temp_directory_path() / ("rx9100-studio-window-" + std::to_string(::getpid()));
};

TEST_F(StudioWindow, MeasuresAndShowsTheColourLibrarysValuesForEitherObserver) {
    open(simulator(0.2));
    EXPECT_TRUE(window->identityLabel()->text().contains(QStringLiteral("1000001")));
    EXPECT_TRUE(window->stateLabel()->text().contains(QStringLiteral("remote measurement off")));

    window->action(QStringLiteral("measure"))->trigger();
    ASSERT_TRUE(idleAgain());
    ASSERT_EQ(window->results().size(), 1u) << window->banner()->text().toStdString();
    EXPECT_FALSE(window->banner()->isVisible());
    const MeasuringData& record = window->results().items().front().record;
    ASSERT_EQ(record.getData().size(), 401u);

    for (int observer : {2, 10}) {
        window->action(QStringLiteral("observer%1").arg(observer))->trigger();
        auto expected =
            studio::colourRows(tintcalc::computeSpectrum(record.getData(), 0, 0, 0, observer));
        // A light source is rated for its colour rendition too.
        for (auto& row :
             studio::renditionRows(tintcalc::computeRendition(record.getData(), 0, 0, 0))) {
            expected.push_back(row);
        }
        ASSERT_EQ(window->panel()->colourTable()->rowCount(), static_cast<int>(expected.size()));
        for (std::size_t row = 0; row < expected.size(); ++row) {
            EXPECT_EQ(shown(static_cast<int>(row), 0).toStdString(), expected[row].value)
                << observer << "° " << expected[row].label;
        }
    }
    // D65 renders colours as its own reference does.
    const int ra = window->panel()->colourTable()->rowCount() - 4;
    EXPECT_EQ(window->panel()->colourTable()->verticalHeaderItem(ra)->text(), QStringLiteral("Ra"));
    EXPECT_NEAR(shown(ra, 0).toDouble(), 100.0, 0.5);
    EXPECT_TRUE(window->panel()->colourVector()->hasGraphic());
    // D65 at 100 cd/m²: the point lies near the white of the diagram.
    ASSERT_EQ(window->panel()->diagram()->points().size(), 1u);
    EXPECT_NEAR(window->panel()->diagram()->points().front().x, 0.3138, 0.003);
    EXPECT_EQ(window->panel()->spectrum()->seriesCount(), 1u);

    // Export and the graph.
    for (const char* name : {"one.csv", "one.json", "one.ti3"}) {
        EXPECT_TRUE(window->exportSelection(QString::fromStdString(file(name)))) << name;
    }
    std::ifstream json(file("one.json"));
    const auto object = nlohmann::json::parse(json);
    EXPECT_EQ(object["instrument"]["body_number"], "1000001");
    EXPECT_EQ(object["colour"]["observer"], 10);
    ASSERT_TRUE(window->saveGraph(QString::fromStdString(file("graph.png"))));
    EXPECT_EQ(QImage(QString::fromStdString(file("graph.png"))).size(), QSize(1200, 700));
    EXPECT_FALSE(window->exportSelection(QString::fromStdString(file("one.xls"))));
    EXPECT_TRUE(window->banner()->isVisible());
}

TEST_F(StudioWindow, TimedSeriesAndEscCancelWhileTheWindowStaysResponsive) {
    open(simulator(1.5));
    window->measure(1, 0.0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->progressDialog()->isVisible(); }, 2000));
    // The GUI thread is free while the driver waits for the instrument.
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(300);
    EXPECT_LT(clock.elapsed(), 1000);
    QTest::keyClick(window->progressDialog(), Qt::Key_Escape);
    ASSERT_TRUE(idleAgain());
    EXPECT_TRUE(window->results().empty());
    EXPECT_FALSE(window->progressDialog()->isVisible());
    EXPECT_TRUE(window->link().connected());
    EXPECT_FALSE(window->banner()->isVisible()) << window->banner()->text().toStdString();

    window.reset();
    open(simulator(0.1));
    window->measure(3, 0.3);
    ASSERT_TRUE(idleAgain());
    ASSERT_EQ(window->results().size(), 3u) << window->banner()->text().toStdString();
    EXPECT_EQ(window->results().items().back().number, 3);
    EXPECT_EQ(window->panel()->list()->count(), 3);
    EXPECT_EQ(window->panel()->selection(), (std::vector<std::size_t>{2}));
}

TEST_F(StudioWindow, RemoteMeasurementTakesEveryKeyPress) {
    open(simulator(0.1, 0.4));
    window->action(QStringLiteral("remote"))->setChecked(true);
    ASSERT_TRUE(window->runner()->remoteRunning()) << window->banner()->text().toStdString();
    EXPECT_TRUE(window->stateLabel()->text().contains(QStringLiteral("remote measurement on")));
    EXPECT_FALSE(window->action(QStringLiteral("measure"))->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->results().size() >= 3; }, kWaitMs));
    window->action(QStringLiteral("remote"))->setChecked(false);
    ASSERT_TRUE(idleAgain());
    for (const auto& result : window->results().items()) {
        EXPECT_EQ(result.source, "remote");
        EXPECT_EQ(result.record.getData().size(), 401u);
    }
    EXPECT_TRUE(window->action(QStringLiteral("measure"))->isEnabled());
    // A measurement on request works again afterwards, and disconnecting leaves local mode.
    const std::size_t before = window->results().size();
    window->measure(1, 0);
    ASSERT_TRUE(idleAgain());
    EXPECT_EQ(window->results().size(), before + 1) << window->banner()->text().toStdString();
    window->disconnectInstrument();
    EXPECT_FALSE(window->link().simulator()->instrument().remoteMode());
}

TEST_F(StudioWindow, APulledLineShowsTheBannerAndReconnectWorks) {
    open(simulator(0.2));
    window->link().simulator()->instrument().injectFault(*rx9100sim::Fault::parse("MEDR:hangup"));
    window->measure(1, 0);
    ASSERT_TRUE(idleAgain());
    EXPECT_TRUE(window->results().empty());
    ASSERT_TRUE(window->banner()->isVisible());
    EXPECT_TRUE(window->banner()->text().contains(QStringLiteral("status -10")))
        << window->banner()->text().toStdString();
    EXPECT_TRUE(window->banner()->reconnectButton()->isVisible());
    EXPECT_FALSE(window->link().connected());
    EXPECT_EQ(window->identityLabel()->text(), QStringLiteral("Not connected"));
    EXPECT_FALSE(window->action(QStringLiteral("measure"))->isEnabled());

    window->banner()->reconnectButton()->click();
    ASSERT_TRUE(window->link().connected()) << window->banner()->text().toStdString();
    EXPECT_FALSE(window->banner()->isVisible());
    window->measure(1, 0);
    ASSERT_TRUE(idleAgain());
    EXPECT_EQ(window->results().size(), 1u) << window->banner()->text().toStdString();
}

TEST_F(StudioWindow, DriverDialogsOpenFromTheMenusAndAnswer) {
    open(simulator(0.1));
    QString title;
    whenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        qobject_cast<QDialog*>(modal)->accept();
    });
    window->action(QStringLiteral("portSettings"))->trigger();
    EXPECT_FALSE(title.isEmpty());

    title.clear();
    whenModal([&](QWidget* modal) {
        title = modal->windowTitle();
        qobject_cast<QDialog*>(modal)->reject();
    });
    window->action(QStringLiteral("whiteCalibration"))->trigger();
    EXPECT_EQ(title, QStringLiteral("白色校正"));
    EXPECT_TRUE(window->link().connected());
}

TEST_F(StudioWindow, EveryOtherDriverDialogOpensFromItsMenuAndIsAnswered) {
    cli::GlobalOptions options = simulator(0.1);
    options.sim.stored = 5;
    open(options);
    struct Step {
        const char* action;
        QString title;
        QString button;
    };
    const Step steps[] = {
        {"setupInstrument", QStringLiteral("測定条件"), QStringLiteral("OK")},
        {"instrumentOption", QStringLiteral("測定器設定"), QStringLiteral("OK")},
        {"userCalibration", QStringLiteral("ユーザ校正"), QStringLiteral("OK")},
        {"deleteData", QStringLiteral("測定器保持データ消去"), QStringLiteral("キャンセル")},
    };
    for (const Step& step : steps) {
        QString title;
        whenModal([&](QWidget* modal) {
            title = modal->windowTitle();
            click(modal, step.button);
        });
        window->action(QString::fromUtf8(step.action))->trigger();
        EXPECT_EQ(title, step.title) << step.action;
        EXPECT_FALSE(window->banner()->isVisible())
            << step.action << ": " << window->banner()->text().toStdString();
        EXPECT_TRUE(window->link().connected()) << step.action;
    }
    EXPECT_EQ(window->link().simulator()->instrument().memory().samples[0].has_value(), true);

    // Every stored target, imported into the list.
    whenModal([](QWidget* modal) {
        click(modal, QStringLiteral("全選択"));
        click(modal, QStringLiteral("OK"));
    });
    window->action(QStringLiteral("importTargets"))->trigger();
    ASSERT_FALSE(window->results().empty()) << window->banner()->text().toStdString();
    for (const auto& item : window->results().items()) {
        EXPECT_EQ(item.source, "stored target");
    }

    // One of them written back as reference colour 1, over what is stored there.
    const std::size_t last = window->results().size() - 1;
    window->panel()->selectOnly(last);
    whenModal([](QWidget* modal) {
        EXPECT_TRUE(modal->windowTitle().startsWith(QStringLiteral("基準色書き込み")))
            << modal->windowTitle().toStdString();
        whenBox([](QMessageBox* box) { box->button(QMessageBox::Ok)->click(); });
        click(modal, QStringLiteral("書き込み"));
    });
    window->action(QStringLiteral("writeReference"))->trigger();
    EXPECT_FALSE(window->banner()->isVisible()) << window->banner()->text().toStdString();
    const auto written = window->link().simulator()->instrument().memory().targets[1];
    ASSERT_TRUE(written.has_value());
    const auto& sent = window->results().items()[last].record.getData();
    ASSERT_EQ(sent.size(), 401u);
    for (std::size_t i : {0u, 200u, 400u}) {
        EXPECT_FLOAT_EQ(written->spectrum[i], static_cast<float>(sent[i])) << 380 + i << " nm";
    }
}

TEST_F(StudioWindow, ListIsSavedLoadedAndGuardedAtClosing) {
    open(simulator(0.1));
    window->measure(2, 0);
    ASSERT_TRUE(idleAgain());
    ASSERT_EQ(window->results().size(), 2u);

    // Unsaved results: Cancel keeps the window open.
    whenModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    const QString path = QString::fromStdString(file("list.rx9100.json"));
    ASSERT_TRUE(window->saveResults(path));
    EXPECT_TRUE(window->close());  // nothing unsaved: no question

    window.reset();
    open(simulator(0.1));
    ASSERT_TRUE(window->loadResults(path));
    EXPECT_EQ(window->results().size(), 2u);
    EXPECT_EQ(window->panel()->selection().size(), 2u);
    EXPECT_EQ(window->panel()->spectrum()->seriesCount(), 2u);
    EXPECT_EQ(window->panel()->colourTable()->columnCount(), 2);
}

TEST_F(StudioWindow, SeriesKeepsItsIntervalAndEscBetweenMeasurementsEndsIt) {
    open(simulator(0.1));
    QElapsedTimer clock;
    std::vector<qint64> arrivals;
    QObject::connect(window->runner(), &studio::MeasureRunner::measured, window.get(),
                     [&] { arrivals.push_back(clock.elapsed()); });
    clock.start();
    window->measure(5, 0.8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrivals.size() == 2; }, kWaitMs));
    // Esc while the series waits for its next start.
    window->action(QStringLiteral("cancel"))->trigger();
    ASSERT_TRUE(idleAgain());
    EXPECT_EQ(window->results().size(), 2u);
    ASSERT_EQ(arrivals.size(), 2u);
    EXPECT_GE(arrivals[1] - arrivals[0], 600);  // one start every 0.8 s, not back to back
    EXPECT_FALSE(window->banner()->isVisible());
}

TEST_F(StudioWindow, ConnectionFailuresShowInTheBanner) {
    cli::GlobalOptions nowhere;
    nowhere.port = "/dev/rx9100-no-such-port";
    window = std::make_unique<studio::MainWindow>(driver(), nowhere);
    EXPECT_FALSE(window->connectInstrument());
    EXPECT_TRUE(window->banner()->text().contains(QStringLiteral("/dev/rx9100-no-such-port")));
    EXPECT_TRUE(window->banner()->text().contains(QStringLiteral("status -10")));
    EXPECT_FALSE(window->action(QStringLiteral("measure"))->isEnabled());

    cli::GlobalOptions badSimulator = simulator(0.1);
    badSimulator.sim.source = "candle";
    window = std::make_unique<studio::MainWindow>(driver(), badSimulator);
    EXPECT_TRUE(window->banner()->text().contains(QStringLiteral("candle")));
    EXPECT_FALSE(window->connectInstrument());
    EXPECT_FALSE(window->link().connected());
}

TEST_F(StudioWindow, ClosingDuringRemoteMeasurementOrAMeasurementEndsThem) {
    open(simulator(0.1, 0.3));
    window->startRemote();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->results().size() >= 2; }, kWaitMs));
    QElapsedTimer clock;
    clock.start();
    window.reset();  // key presses keep coming while the window goes
    EXPECT_LT(clock.elapsed(), 5000);

    open(simulator(3.0));
    window->measure(1, 0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->progressDialog()->isVisible(); }, 2000));
    clock.restart();
    window.reset();  // cancels the measurement instead of waiting out its 3 s
    EXPECT_LT(clock.elapsed(), 2500);
}

TEST_F(StudioWindow, ReflectanceWithoutWhiteCalibrationIsRefusedInTheDriversWords) {
    open(simulator(0.1));
    window->action(QStringLiteral("method1"))->trigger();
    EXPECT_TRUE(window->action(QStringLiteral("method1"))->isChecked());
    EXPECT_EQ(driver().getSetupStatus()->getMeasurementMethod(), 1);
    window->measure(1, 0);
    ASSERT_TRUE(idleAgain());
    EXPECT_TRUE(window->results().empty());
    ASSERT_TRUE(window->banner()->isVisible());
    const QString text = window->banner()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("status 10, code 42"))) << text.toStdString();
    EXPECT_FALSE(window->banner()->reconnectButton()->isVisible());  // refused, not lost
    EXPECT_TRUE(window->link().connected());

    window->action(QStringLiteral("method3"))->trigger();  // a light source needs none
    window->measure(1, 0);
    ASSERT_TRUE(idleAgain());
    EXPECT_EQ(window->results().size(), 1u);
}

}  // namespace
