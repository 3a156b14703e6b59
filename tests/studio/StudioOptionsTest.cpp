// The studio's command line.
#include <gtest/gtest.h>

#include "StudioOptions.h"

namespace {

std::optional<QString> parse(QStringList args, studio::StudioOptions& options) {
    args.prepend(QStringLiteral("rx9100-studio"));
    return studio::parseOptions(args, options);
}

TEST(StudioOptions, TakesThePortOrTheSimulatorWithItsBehaviour) {
    studio::StudioOptions options;
    ASSERT_FALSE(
        parse({"--sim", "--sim-key-interval", "0.5", "--sim-fault", "MEDR:hangup", "--sim-fault",
               "MEAS,1:error:12", "--sim-measuring-time", "0.2", "--no-connect"},
              options));
    EXPECT_TRUE(options.global.sim.enabled);
    EXPECT_DOUBLE_EQ(options.global.sim.keyInterval, 0.5);
    ASSERT_TRUE(options.global.sim.measuringTime);
    EXPECT_DOUBLE_EQ(*options.global.sim.measuringTime, 0.2);
    EXPECT_EQ(options.global.sim.faults,
              (std::vector<std::string>{"MEDR:hangup", "MEAS,1:error:12"}));
    EXPECT_FALSE(options.connectAtStart);

    studio::StudioOptions port;
    ASSERT_FALSE(parse({"--port", "/dev/ttyACM1", "--method", "rs232c", "--baud", "9600"}, port));
    EXPECT_EQ(port.global.port, "/dev/ttyACM1");
    EXPECT_EQ(port.global.method, "rs232c");
    EXPECT_EQ(port.global.baud, 9600);
    EXPECT_FALSE(port.global.sim.enabled);
    EXPECT_TRUE(port.connectAtStart);
}

TEST(StudioOptions, RefusesWhatCannotWork) {
    const std::vector<QStringList> wrong = {
        {"--sim-fault", "MEDR:hangup"},  // simulator options without the simulator
        {"--sim", "--sim-fault", "MEDR:explode"},
        {"--sim", "--sim-key-interval", "soon"},
        {"--method", "bluetooth"},
        {"--baud", "12"},
        {"stray"},
    };
    for (const QStringList& args : wrong) {
        studio::StudioOptions options;
        const auto error = parse(args, options);
        ASSERT_TRUE(error) << args.join(' ').toStdString();
        EXPECT_FALSE(error->isEmpty());
    }
    studio::StudioOptions options;
    const auto help = parse({"--help"}, options);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->contains(QStringLiteral("--sim-key-interval")));
}

}  // namespace
