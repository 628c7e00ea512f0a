// The simulator's input script and command line, as bug reports will use them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "input_script.h"

namespace {

TEST(input_script, reads_events_comments_and_blank_lines) {
    std::vector<script_event> events;
    std::string error;
    ASSERT_TRUE(parse_input_script("# a run\n0 down g\n\n  40 up g   # let go\n7 press enter\n",
                                   events, error))
        << error;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].frame, 0);
    EXPECT_EQ(events[0].action, script_action::down);
    EXPECT_EQ(events[0].key, SDLK_g);
    EXPECT_EQ(events[1].frame, 40);
    EXPECT_EQ(events[1].action, script_action::up);
    EXPECT_EQ(events[2].action, script_action::press);
    EXPECT_EQ(events[2].key, SDLK_RETURN);
}

TEST(input_script, names_the_line_of_a_mistake) {
    struct bad {
        const char* text;
        const char* says;
    } cases[] = {
        {"0 down g\nx down g\n", "line 2: bad frame"}, {"-5 down g\n", "line 1: bad frame"},
        {"3 hold g\n", "line 1: unknown action"},      {"3 down space\n", "line 1: unknown key"},
        {"3 down g now\n", "line 1: unexpected"},      {"3 down\n", "line 1: unknown key"}};
    for (const bad& c : cases) {
        std::vector<script_event> events;
        std::string error;
        EXPECT_FALSE(parse_input_script(c.text, events, error)) << c.text;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.text << " -> " << error;
    }
}

// Words are what a stream reads: ASCII white space between them, any other
// byte (a NUL too) inside one; a frame is what strtol reads up to a NUL.
TEST(input_script, splits_words_and_reads_frames_as_a_stream_and_strtol_do) {
    std::vector<script_event> events;
    std::string error;
    ASSERT_TRUE(parse_input_script(std::string("+7 press d\r\n-0\tup\vf\f\n100000000 down "
                                               "g#x\n3\0junk down left\n\0x up right",
                                               68),
                                   events, error))
        << error;
    ASSERT_EQ(events.size(), 5u);
    const int frames[] = {7, 0, 100000000, 3, 0};
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i].frame, frames[i]) << i;
    EXPECT_EQ(events[4].key, SDLK_RIGHT);
    struct bad {
        std::string text;
        std::string error;
    } cases[] = {
        {"100000001 down g", "line 1: bad frame '100000001'"},
        {"99999999999999999999 down g", "line 1: bad frame '99999999999999999999'"},
        {"\n\n+ down g", "line 3: bad frame '+'"},
        {"7x down g", "line 1: bad frame '7x'"},
        {"5", "line 1: unknown action ''"},
        {"5 dow#n g", "line 1: unknown action 'dow'"},
        {std::string("5 down g\0", 9), std::string("line 1: unknown key 'g\0'", 24)},
        {"5 up g g", "line 1: unexpected 'g'"},
    };
    for (const bad& c : cases) {
        events.clear();
        EXPECT_FALSE(parse_input_script(c.text, events, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

std::string run(const std::string& arguments, int& status) {
    const std::string command = std::string(GRAZE_BINARY_DIR) + "/tools/sim/graze-sim " +
                                arguments + " --assets " + GRAZE_ASSET_DIR + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
    status = WEXITSTATUS(pclose(pipe.release()));
    return out;
}

TEST(graze_sim, prints_one_json_summary_and_refuses_bad_arguments) {
    int status = -1;
    const std::string out = run("--level 1 --max-frames 300", status);
    EXPECT_EQ(status, 0) << out;
    for (const char* key : {"\"code\":0", "\"score\":", "\"kills\":", "\"lives\":24",
                            "\"frames\":300", "\"boss_hp\":750", "\"ticks\":"})
        EXPECT_NE(out.find(key), std::string::npos) << key << " in " << out;
    EXPECT_NE(run("--level 9", status).find("unknown level"), std::string::npos);
    EXPECT_EQ(status, 2);
    run("--level 1 --difficulty hard", status);
    EXPECT_EQ(status, 2);
    run("--level 1 --every 0", status);
    EXPECT_EQ(status, 2);
}

TEST(graze_sim, plays_a_whole_run_from_the_intro_and_leaves_when_the_script_is_over) {
    const std::string dir = std::string(GRAZE_BINARY_DIR) + "/sim_run_test";
    std::filesystem::create_directories(dir);
    {
        std::ofstream script(dir + "/run.txt");
        // Three intro pictures, the title, Practice; then fire until frame 1000.
        script << "20 press enter\n40 press enter\n60 press enter\n70 press enter\n"
                  "75 press enter\n170 down g\n1000 up g\n";
    }
    int status = -1;
    const std::string out =
        run("--run --input " + dir + "/run.txt --trace " + dir + "/run.jsonl", status);
    EXPECT_EQ(status, 0) << out;
    std::ifstream trace(dir + "/run.jsonl");
    const std::string text((std::istreambuf_iterator<char>(trace)), {});
    EXPECT_NE(text.find("\"slot\":229"), std::string::npos); // Level 1's music started
    EXPECT_NE(text.find("\"ev\":\"kill\""), std::string::npos);
    EXPECT_NE(out.find("\"frames\":"), std::string::npos);
}

} // namespace
