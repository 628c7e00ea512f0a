// graze-sim given what it cannot use: the real binary run on a table of
// command lines, input scripts and places to write, each with the status and
// the message it must end with, under a time limit so a run that waits for
// ever fails instead of blocking the suite. Grouped: the command line, the
// files it reads, the files and folders it writes, the working folder.
// GRAZE_SIM, when set, names another graze-sim binary to hold to the table.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A run that takes longer than this is a hang (the slowest case plays ten
// frames after loading the catalogue, about a second).
constexpr int time_limit_s = 30;

std::string sim_binary() {
    if (const char* other = std::getenv("GRAZE_SIM"); other && *other) return other;
    return std::string(GRAZE_BINARY_DIR) + "/tools/sim/graze-sim";
}

// Where the run starts.
enum class start_in { build, deleted_folder };

struct run_end {
    int status = -1;        // the exit status, when it exited
    int signal = 0;         // the signal that ended it, if one did
    bool timed_out = false; // killed at the time limit
    std::string out, err;

    std::string how() const {
        if (timed_out) return "still running after " + std::to_string(time_limit_s) + " s";
        if (signal) return "killed by signal " + std::to_string(signal);
        return "status " + std::to_string(status);
    }
};

// Runs graze-sim with these arguments, standard input from /dev/null (or
// `in_path`), standard output captured (or sent to `out_path`), standard
// error captured.
run_end run_sim(const std::vector<std::string>& args, start_in where = start_in::build,
                const std::string& out_path = "", const std::string& in_path = "/dev/null") {
    const std::string binary = sim_binary();
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // The folder deleted under the run is this test process's own: the
    // cases run in parallel processes, and one's clean-up must not take
    // another's folder away between its mkdir and its chdir.
    const std::string doomed =
        std::string(GRAZE_BINARY_DIR) + "/sim_command_line_gone_" + std::to_string(getpid());
    if (where == start_in::deleted_folder) fs::remove_all(doomed);

    int out_pipe[2], err_pipe[2];
    if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        // Only calls safe after a fork in a threaded program, then exec.
        const int in = open(in_path.c_str(), O_RDONLY);
        dup2(in, 0);
        if (!out_path.empty()) {
            const int out = open(out_path.c_str(), O_WRONLY);
            dup2(out, 1);
        } else {
            dup2(out_pipe[1], 1);
        }
        dup2(err_pipe[1], 2);
        close(out_pipe[0]);
        close(err_pipe[0]);
        if (where == start_in::deleted_folder) {
            mkdir(doomed.c_str(), 0755);
            if (chdir(doomed.c_str()) != 0 || rmdir(doomed.c_str()) != 0) _exit(125);
        } else if (chdir(GRAZE_BINARY_DIR) != 0) {
            _exit(125);
        }
        execv(binary.c_str(), argv.data());
        _exit(127);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    run_end end;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(time_limit_s);
    pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
    std::string* texts[2] = {&end.out, &end.err};
    int open_pipes = 2;
    while (open_pipes > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            end.timed_out = true;
            kill(child, SIGKILL);
            break;
        }
        if (poll(fds, 2, static_cast<int>(left)) < 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                texts[i]->append(buffer, static_cast<size_t>(got));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_pipes;
            }
        }
    }
    for (const pollfd& p : fds)
        if (p.fd >= 0) close(p.fd);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status)) end.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status) && !end.timed_out) end.signal = WTERMSIG(status);
    return end;
}

// What a case must end with: the status, a piece of standard error, and
// whether the JSON summary is printed.
struct expected_end {
    int status;
    std::string says; // in standard error ("" for nothing in particular)
    bool summary;
};

struct sim_case {
    const char* name;
    std::vector<std::string> args;
    expected_end expect;
};

std::string joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& a : args) text += (text.empty() ? "" : " ") + a;
    return text;
}

void check(const sim_case& c, const run_end& end) {
    const bool summary = end.out.find("{\"code\":") != std::string::npos;
    const bool says = end.err.find(c.expect.says) != std::string::npos;
    const bool as_expected = !end.timed_out && !end.signal && end.status == c.expect.status &&
                             says && summary == c.expect.summary;
    EXPECT_TRUE(as_expected) << c.name << " (graze-sim " << joined(c.args) << "): " << end.how()
                             << ", expected status " << c.expect.status << " saying '"
                             << c.expect.says << "'" << (c.expect.summary ? " with" : " without")
                             << " a summary\n  stdout: " << end.out.substr(0, 300)
                             << "\n  stderr: " << end.err.substr(0, 600);
}

void check_all(const std::vector<sim_case>& cases, start_in where = start_in::build) {
    for (const sim_case& c : cases) check(c, run_sim(c.args, where));
}

// Ends shared by many cases.
const expected_end played{0, "", true};
constexpr int refused = 2;
constexpr int failed = 1;

// A scratch folder of its own for each test, emptied before and after.
struct sim_command_line : ::testing::Test {
    std::string dir;
    void SetUp() override {
        dir = std::string(GRAZE_BINARY_DIR) + "/sim_command_line_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::string fifo(const std::string& name) {
        const std::string path = dir + "/" + name;
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
        return path;
    }
};

TEST_F(sim_command_line, refuses_a_command_line_it_cannot_follow_with_status_2) {
    const std::vector<sim_case> cases = {
        {"no arguments", {}, {refused, "graze-sim: no arguments: give --level L", false}},
        {"no mode", {"--difficulty", "0"}, {refused, "no mode", false}},
        {"--level with --run", {"--level", "1", "--run"}, {refused, "different modes", false}},
        {"--level with --one-run", {"--one-run", "--level", "2"}, {refused, "modes", false}},
        {"--run with --one-run", {"--run", "--one-run"}, {refused, "modes", false}},
        {"--level twice",
         {"--level", "1", "--level", "2"},
         {refused, "--level given twice", false}},
        {"--difficulty twice",
         {"--level", "1", "--difficulty", "0", "--difficulty", "3"},
         {refused, "--difficulty given twice", false}},
        {"--run twice", {"--run", "--run"}, {refused, "--run given twice", false}},
        {"negative --max-frames",
         {"--level", "1", "--max-frames", "-5"},
         {refused, "bad value for --max-frames: '-5'", false}},
        {"--max-frames with letters",
         {"--level", "1", "--max-frames", "5x"},
         {refused, "bad value for --max-frames", false}},
        {"--max-frames beyond an int",
         {"--level", "1", "--max-frames", "99999999999"},
         {refused, "bad value for --max-frames", false}},
        {"negative --score",
         {"--level", "1", "--score", "-2000000000"},
         {refused, "bad value for --score: '-2000000000'", false}},
        {"--score past the counter",
         {"--level", "1", "--score", "100000"},
         {refused, "0 to 99999", false}},
        {"--difficulty the game never gives",
         {"--level", "1", "--difficulty", "4"},
         {refused, "bad value for --difficulty", false}},
        {"--draw 2", {"--level", "1", "--draw", "2"}, {refused, "bad value for --draw", false}},
        {"--every 0",
         {"--level", "1", "--frames-dir", dir + "/f", "--every", "0"},
         {refused, "bad value for --every", false}},
        {"--every without --frames-dir",
         {"--level", "1", "--every", "5"},
         {refused, "--every only counts with --frames-dir", false}},
        {"unknown level", {"--level", "9"}, {refused, "unknown level", false}},
        {"unknown option", {"--level", "1", "--fast"}, {refused, "unknown option '--fast'", false}},
        {"missing value", {"--level", "1", "--max-frames"}, {refused, "missing value", false}},
        {"empty path", {"--level", "1", "--trace", ""}, {refused, "an empty path", false}},
        {"control byte in an option", {"--level", "1\x1b[2J"}, {refused, "'1\\x1b[2J'", false}},
        {"--autopilot with --input",
         {"--level", "1", "--autopilot", "--input", file("keys.txt", "")},
         {refused, "--autopilot plays without --input", false}},
    };
    check_all(cases);
}

// A refused command line is one line under the program's name that points
// at --help, not the usage; a word it quotes is cut and shows no raw byte.
TEST_F(sim_command_line, says_what_is_wrong_with_a_command_line_in_one_line) {
    const std::string long_word(100000, 'x');
    const std::vector<std::vector<std::string>> refusals = {
        {},
        {"--level", "1", "--fast"},
        {"--level", "9"},
        {"--run", "--run"},
        {"--difficulty", "0"},
        {"--level", "1", "--max-frames"},
        {"--level", long_word},
        {long_word},
        {"--level", "1", "--score", "\xff\xfe\x1b[2J"},
    };
    for (const auto& args : refusals) {
        const run_end end = run_sim(args);
        SCOPED_TRACE(joined(args).substr(0, 80));
        EXPECT_EQ(end.status, refused) << end.how();
        EXPECT_EQ(end.err.rfind("graze-sim: ", 0), 0u) << end.err.substr(0, 300);
        EXPECT_EQ(std::count(end.err.begin(), end.err.end(), '\n'), 1) << end.err.substr(0, 300);
        EXPECT_NE(end.err.find("(see graze-sim --help)\n"), std::string::npos)
            << end.err.substr(0, 300);
        EXPECT_EQ(end.err.find("usage:"), std::string::npos);
        EXPECT_LT(end.err.size(), 200u);
    }
    const run_end cut = run_sim({"--level", long_word});
    EXPECT_NE(cut.err.find("bad value for --level: '" + std::string(40, 'x') + "...': "),
              std::string::npos)
        << cut.err.substr(0, 300);
    const run_end raw = run_sim({"--level", "1", "--score", "\xff\xfe\x1b[2J\xc3\xa9"});
    EXPECT_NE(raw.err.find("'\\xff\\xfe\\x1b[2J\xc3\xa9'"), std::string::npos) << raw.err;
}

TEST_F(sim_command_line, plays_what_it_accepts_and_prints_its_usage_on_request) {
    const std::vector<sim_case> cases = {
        {"no frame of play", {"--level", "1", "--max-frames", "0"}, played},
        {"the highest score",
         {"--level", "epilogue", "--max-frames", "10", "--score", "99999", "--difficulty", "200"},
         played},
        {"an empty script",
         {"--level", "1", "--max-frames", "10", "--input", file("empty.txt", "")},
         played},
        {"a script of comments",
         {"--level", "2", "--max-frames", "10", "--input", file("c.txt", "# nothing\n\n  # \n")},
         played},
    };
    check_all(cases);
    const run_end help = run_sim({"--help"});
    EXPECT_EQ(help.status, 0) << help.how();
    std::string missing;
    for (const char* option :
         {"--level L", "--run", "--one-run", "--difficulty D", "--score S", "--input FILE",
          "--max-frames N", "--trace FILE", "--frames-dir DIR", "--every K", "--draw 0|1",
          "--assets DIR", "--autopilot", "--save-input FILE"})
        if (help.out.find(option) == std::string::npos) missing += std::string(" ") + option;
    EXPECT_EQ(missing, "") << "--help leaves out these options:\n" << help.out;
}

TEST_F(sim_command_line, reads_only_regular_files_of_bounded_size) {
    const std::string too_big = dir + "/huge.txt";
    { std::ofstream(too_big) << "0 down g\n"; }
    fs::resize_file(too_big, 64u * 1024 * 1024 + 1); // sparse: costs no disk
    const std::vector<sim_case> cases = {
        {"a folder", {"--level", "1", "--input", dir}, {refused, "a folder, not a file", false}},
        {"/dev/zero",
         {"--level", "1", "--input", "/dev/zero"},
         {refused, "cannot read /dev/zero: a device", false}},
        {"/dev/urandom", {"--level", "1", "--input", "/dev/urandom"}, {refused, "a device", false}},
        {"a FIFO with no writer",
         {"--level", "1", "--input", fifo("keys.fifo")},
         {refused, "a FIFO, not a regular file", false}},
        {"a missing file",
         {"--level", "1", "--input", dir + "/none.txt"},
         {refused, "No such file or directory", false}},
        {"over 64 MB", {"--level", "1", "--input", too_big}, {refused, "larger than 64 MB", false}},
        {"a NUL byte in a script line",
         {"--level", "1", "--input", file("nul.txt", std::string("3 do\0wn g\n", 10))},
         {refused, "line 1: unknown action 'do\\x00wn'", false}},
        {"an escape sequence in a script line",
         {"--level", "1", "--input", file("esc.txt", "0 down g\n3 down \x1b[31mg\n")},
         {refused, "line 2: unknown key '\\x1b[31mg'", false}},
        {"a bad frame",
         {"--level", "1", "--input", file("frame.txt", "-1 down g\n")},
         {refused, "line 1: bad frame", false}},
        {"a word of 100,000 characters",
         {"--level", "1", "--input", file("long.txt", "0 down " + std::string(100000, 'k') + "\n")},
         {refused, "line 1: unknown key '" + std::string(40, 'k') + "...'\n", false}},
        {"bytes that are no UTF-8",
         {"--level", "1", "--input", file("latin1.txt", "0 down \xe9t\xe9\n2 \xff\xfe g\n")},
         {refused, "line 1: unknown key '\\xe9t\\xe9'\n", false}},
        {"UTF-8 shown as it is",
         {"--level", "1", "--input", file("utf8.txt", "0 down \xc3\xa9t\xc3\xa9\n")},
         {refused, "line 1: unknown key '\xc3\xa9t\xc3\xa9'\n", false}},
        {"a C1 control, escaped",
         {"--level", "1", "--input",
          file("c1.txt", "0 down \xc2\x9b"
                         "31m\n")},
         {refused, "line 1: unknown key '\\xc2\\x9b31m'\n", false}},
    };
    check_all(cases);
    // The whole message stays one short line.
    const run_end end =
        run_sim({"--level", "1", "--input", file("huge_word.txt", std::string(1000000, 'w'))});
    EXPECT_EQ(end.status, refused) << end.how();
    EXPECT_LT(end.err.size(), 300u) << end.err.substr(0, 300);
}

// "-" is the standard input for the script, and never a file of that name:
// nothing is written to ./-, whichever option names it.
TEST_F(sim_command_line, a_dash_is_the_standard_input_or_refused) {
    const std::string dash = std::string(GRAZE_BINARY_DIR) + "/-";
    fs::remove_all(dash);
    const std::vector<sim_case> refusals = {
        {"trace",
         {"--level", "1", "--trace", "-"},
         {refused, "bad value for --trace: '-': ", false}},
        {"key log",
         {"--level", "1", "--save-input", "-"},
         {refused, "bad value for --save-input: '-': the standard output carries the summary",
          false}},
        {"frames", {"--level", "1", "--frames-dir", "-"}, {refused, "'-': not a folder", false}},
        {"assets", {"--level", "1", "--assets", "-"}, {refused, "'-': not a folder", false}},
    };
    check_all(refusals);
    EXPECT_FALSE(fs::exists(dash));

    const std::string script = file("keys.txt", "0 down g\n5 up g\n");
    const run_end piped =
        run_sim({"--level", "1", "--max-frames", "20", "--input", "-", "--trace", dir + "/t.jsonl"},
                start_in::build, "", script);
    EXPECT_EQ(piped.status, 0) << piped.how() << piped.err;
    const run_end same = run_sim(
        {"--level", "1", "--max-frames", "20", "--input", script, "--trace", dir + "/u.jsonl"});
    EXPECT_EQ(same.status, 0) << same.how() << same.err;
    std::ifstream t(dir + "/t.jsonl"), u(dir + "/u.jsonl");
    const std::string from_pipe((std::istreambuf_iterator<char>(t)), {});
    const std::string from_file((std::istreambuf_iterator<char>(u)), {});
    EXPECT_FALSE(from_pipe.empty());
    EXPECT_EQ(from_pipe, from_file);

    const run_end bad = run_sim({"--level", "1", "--input", "-"}, start_in::build, "",
                                file("bad.txt", "0 hold g\n"));
    EXPECT_EQ(bad.status, refused) << bad.how();
    EXPECT_EQ(bad.err, "graze-sim: the standard input: line 1: unknown action 'hold'\n");
    EXPECT_FALSE(fs::exists(dash));
}

TEST_F(sim_command_line, opens_what_it_writes_before_the_first_frame_and_reports_every_failure) {
    const std::string a_file = file("plain.txt", "");
    const std::vector<sim_case> cases = {
        {"trace to /dev/full",
         {"--level", "1", "--max-frames", "10", "--trace", "/dev/full"},
         {failed, "cannot write /dev/full: No space left on device", false}},
        {"a long trace to /dev/full",
         {"--level", "1", "--max-frames", "2000", "--input", file("g.txt", "0 down g\n"), "--trace",
          "/dev/full"},
         {failed, "cannot write /dev/full: No space left on device", false}},
        {"trace in a missing folder",
         {"--level", "1", "--trace", dir + "/no/trace.jsonl"},
         {failed, "cannot write " + dir + "/no/trace.jsonl: No such file or directory", false}},
        {"trace to a FIFO nothing reads",
         {"--level", "1", "--trace", fifo("trace.fifo")},
         {failed, "a FIFO that nothing reads", false}},
        {"trace to a folder", {"--level", "1", "--trace", dir}, {failed, "Is a directory", false}},
        {"key log to /dev/full",
         {"--level", "1", "--max-frames", "10", "--save-input", "/dev/full"},
         {failed, "cannot write /dev/full: No space left on device", false}},
        {"key log in a missing folder",
         {"--level", "1", "--save-input", dir + "/no/keys.txt"},
         {failed, "No such file or directory", false}},
        {"key log to a folder",
         {"--level", "1", "--save-input", dir},
         {failed, "Is a directory", false}},
        {"frames under a device",
         {"--level", "1", "--frames-dir", "/dev/null/x"},
         {failed, "cannot write /dev/null/x: Not a directory", false}},
        {"frames where a file is",
         {"--level", "1", "--frames-dir", a_file},
         {failed, "cannot write " + a_file, false}},
        {"frames in a folder that takes no new file",
         {"--level", "1", "--frames-dir", "/proc"},
         {failed, "cannot write /proc: Permission denied\n", false}},
        {"frames under a folder that takes no new folder",
         {"--level", "1", "--frames-dir", "/proc/graze-frames"},
         {failed, "cannot write /proc/graze-frames: Permission denied\n", false}},
        {"every output in order",
         {"--level", "1", "--max-frames", "10", "--trace", dir + "/t.jsonl", "--save-input",
          dir + "/k.txt", "--frames-dir", dir + "/frames", "--every", "100"},
         played},
    };
    check_all(cases);
    EXPECT_TRUE(fs::exists(dir + "/frames/frame_000000.png"));
    EXPECT_GT(fs::file_size(dir + "/t.jsonl"), 0u);

    // The summary itself cannot be written.
    const run_end full =
        run_sim({"--level", "1", "--max-frames", "10"}, start_in::build, "/dev/full");
    EXPECT_EQ(full.status, failed) << full.how();
    EXPECT_NE(full.err.find("cannot write the standard output"), std::string::npos) << full.err;
}

// The game's own reports, a file it cannot load, come out under the
// simulator's name like every other line it prints.
TEST_F(sim_command_line, a_bad_asset_folder_is_reported_in_lines_of_its_own_name) {
    const std::string assets = dir + "/assets";
    fs::create_directories(assets + "/Images"); // the right folder, without its pictures
    const run_end end = run_sim({"--level", "1", "--assets", assets});
    EXPECT_EQ(end.status, failed) << end.how();
    EXPECT_EQ(end.err, "graze-sim: cannot load ./Images/Titre.png: No such file or directory\n"
                       "graze-sim: cannot load the assets from " +
                           assets + "\n");
    EXPECT_EQ(end.out, "");
}

TEST_F(sim_command_line, plays_from_a_deleted_working_folder_and_says_so_of_relative_paths) {
    const std::vector<sim_case> cases = {
        {"absolute paths only", {"--level", "1", "--max-frames", "10"}, played},
        {"absolute trace",
         {"--level", "1", "--max-frames", "10", "--trace", dir + "/t.jsonl"},
         played},
        {"relative trace",
         {"--level", "1", "--max-frames", "10", "--trace", "t.jsonl"},
         {failed, "cannot write t.jsonl: No such file or directory", false}},
        {"relative frames folder",
         {"--level", "1", "--frames-dir", "frames"},
         {failed, "cannot write frames:", false}},
        {"relative script",
         {"--level", "1", "--input", "keys.txt"},
         {refused, "cannot read keys.txt: No such file or directory", false}},
        {"relative assets",
         {"--level", "1", "--assets", "assets"},
         {failed, "cannot enter the asset folder", false}},
    };
    check_all(cases, start_in::deleted_folder);
}

} // namespace
