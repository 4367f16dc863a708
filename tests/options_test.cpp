#include "shell/Options.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, Options& options, std::string& problem) {
    args.insert(args.begin(), "jostrela");
    return ParseOptions(static_cast<int>(args.size()), args.data(), options, problem);
}

} // namespace

TEST(Options, NoArgumentsMeansThePlainGame) {
    Options options;
    std::string problem;
    ASSERT_TRUE(Parse({}, options, problem));
    EXPECT_EQ(options.frames, 0);
    EXPECT_TRUE(options.screenshot.empty());
}

TEST(Options, FramesAndScreenshotAreRead) {
    Options options;
    std::string problem;
    ASSERT_TRUE(Parse({"--screenshot", "out.png", "--frames", "30"}, options, problem)) << problem;
    EXPECT_EQ(options.frames, 30);
    EXPECT_EQ(options.screenshot, "out.png");
    EXPECT_TRUE(options.stats.empty());
    ASSERT_TRUE(Parse({"--stats", "counts.txt"}, options, problem)) << problem;
    EXPECT_EQ(options.stats, "counts.txt");
}

TEST(Options, KeyScriptAndStateDumpAreRead) {
    Options options;
    std::string problem;
    ASSERT_TRUE(
        Parse({"--keys", "walk.txt", "--dump-state", "state.json", "--frames", "10"}, options, problem))
        << problem;
    EXPECT_EQ(options.keys, std::vector<std::string>{"walk.txt"});
    EXPECT_EQ(options.dumpState, "state.json");
    EXPECT_EQ(options.frames, 10);
}

TEST(Options, BadCommandLinesAreRefusedWithAReason) {
    const std::vector<std::vector<const char*>> bad = {
        {"--fullscreen"},
        {"frames"},
        {"--frames"},
        {"--frames", "0"},
        {"--frames", "-3"},
        {"--frames", "12x"},
        {"--frames", "99999999999"},
        {"--screenshot"},
        {"--screenshot", "a.png"},
        {"--stats"},
        {"--frames", "3", "--stats", ""},
        {"--frames", "5", "--bogus"},
        {"--keys"},
        {"--keys", ""},
        {"--frames", "5", "--dump-state"},
        {"--timedemo-alternate", "2147483647"}, // each frame keeps its time: bounded at a million
    };
    for (const auto& args : bad) {
        Options options;
        std::string problem;
        EXPECT_FALSE(Parse(args, options, problem)) << args[0];
        EXPECT_FALSE(problem.empty());
    }
}

TEST(Options, PlayIsPacedAtSixtyAndMeasuredRunsAreNotUnlessAsked) {
    const struct {
        std::vector<const char*> args;
        int fps;
    } table[] = {
        {{}, 60},
        {{"--fps", "30"}, 30},
        {{"--fps", "0"}, 0},
        {{"--frames", "10"}, 0},
        {{"--keys", "walk.txt"}, 0},
        {{"--timedemo"}, 0},
        {{"--timedemo-alternate", "1000000"}, 0},
        {{"--keys", "walk.txt", "--fps", "60"}, 60},
    };
    for (const auto& row : table) {
        Options options;
        std::string problem;
        ASSERT_TRUE(Parse(row.args, options, problem)) << problem;
        EXPECT_EQ(options.fps, row.fps);
    }
    for (const char* bad : {"-1", "1001", "6O", ""}) {
        Options options;
        std::string problem;
        EXPECT_FALSE(Parse({"--fps", bad}, options, problem)) << bad;
        EXPECT_NE(problem.find("--fps"), std::string::npos);
    }
}

TEST(Options, HelpAndVersionEndTheReading) {
    for (const char* help : {"--help", "-h", "--version"}) {
        Options options;
        std::string problem;
        ASSERT_TRUE(Parse({"--frames", "3", help, "--bogus"}, options, problem));
        EXPECT_EQ(options.help, std::string(help) != "--version") << help;
        EXPECT_EQ(options.version, std::string(help) == "--version") << help;
    }
}

// --players takes a key script per slot, in order; --view and the join and leave frames name slots
// of the game; what does not fit together is refused.
TEST(Options, PlayersTheirScriptsViewAndRoster) {
    Options options;
    std::string problem;
    ASSERT_TRUE(
        Parse({"--players", "3", "--keys", "a", "--keys", "b", "--keys", "c", "--view", "2", "--join-frame",
               "1:40", "--leave-frame", "2:90", "--join-frame", "2:120", "--leave-frame", "2:130"},
              options, problem))
        << problem;
    EXPECT_EQ(options.roster.players, 3);
    EXPECT_EQ(options.keys, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(options.view, 2);
    EXPECT_EQ(options.roster.joinFrames[1], (std::vector<long long>{40}));
    EXPECT_EQ(options.roster.leaveFrames[1], (std::vector<long long>{}));
    EXPECT_EQ(options.roster.joinFrames[2], (std::vector<long long>{120}));
    EXPECT_EQ(options.roster.leaveFrames[2], (std::vector<long long>{90, 130}));
    EXPECT_EQ(options.fps, 0); // a replay

    const std::vector<std::vector<const char*>> refused = {
        {"--players", "2", "--keys", "a"},
        {"--keys", "a", "--keys", "b"},
        {"--players", "5"},
        {"--players", "2", "--keys", "a", "--keys", "b", "--view", "2"},
        {"--players", "2", "--keys", "a", "--keys", "b", "--join-frame", "3:10"},
        {"--players", "2", "--keys", "a", "--keys", "b", "--join-frame", "1:10", "--leave-frame", "1:10"},
        {"--players", "2", "--keys", "a", "--keys", "b", "--join-frame", "1:10", "--join-frame", "1:20"},
        {"--players", "2", "--keys", "a", "--keys", "b", "--leave-frame", "1:10", "--join-frame", "1:10"},
        {"--join-frame", "0-10"},
        {"--players", "2", "--keys", "a", "--keys", "b", "--timedemo"},
    };
    for (const auto& args : refused) {
        Options fresh;
        EXPECT_FALSE(Parse(args, fresh, problem)) << args[0] << " " << args[1];
        EXPECT_FALSE(problem.empty());
    }
}

TEST(Options, NetworkedGames) {
    Options options;
    std::string problem;
    ASSERT_TRUE(Parse({"--host", "--players", "3", "--keys", "a.keys", "--frames", "10"}, options, problem))
        << problem;
    EXPECT_TRUE(options.host);
    EXPECT_EQ(options.hostPort, 0);
    EXPECT_EQ(options.fps, 60) << "a networked game keeps the shared rate";
    Options joining;
    ASSERT_TRUE(Parse({"--join", "--name", "Ana", "--record", "r.txt"}, joining, problem)) << problem;
    EXPECT_TRUE(joining.join && joining.joinAddress.empty());
    ASSERT_TRUE(Parse({"--join", "[::1]:4000"}, joining, problem)) << problem;
    EXPECT_EQ(joining.joinAddress, "[::1]:4000");
    ASSERT_TRUE(Parse({"--host", "4000"}, options, problem));
    EXPECT_EQ(options.hostPort, 4000);
    for (const std::vector<const char*>& refused : {std::vector<const char*>{"--host", "70000"},
                                                    {"--host", "--join", "x"},
                                                    {"--join", "x", "--players", "2"},
                                                    {"--host", "--keys", "a", "--keys", "b"},
                                                    {"--host", "--view", "1"},
                                                    {"--record", "r.txt"},
                                                    {"--host", "--timedemo"}}) {
        Options other;
        EXPECT_FALSE(Parse(refused, other, problem)) << refused[0] << " " << refused[1];
    }
}
