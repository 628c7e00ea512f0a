// The saved games and how each must end, as scripts/testing/rerecord_saved_games.sh
// writes them down in tests/pilot_runs/expected_ends.tsv: one line a run, its
// kind, its key log or script, and the (frame, code, score) of every level's
// end, then the final screen's, and the digest of every frame of play. A
// replay here must play and end exactly so.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "sim_trace.h"

using level_end = std::tuple<int, int, int>; // frame, code, score

struct saved_game {
    std::string kind;   // "run", "one-run" or "stage"
    std::string file;   // under tests/pilot_runs/
    std::string level;  // a stage's level
    int difficulty = 0; // a stage's difficulty
    std::vector<level_end> ends;
    int completed = -1; // the final screen's, -1 without one
    int final_score = 0;
    std::string play_digest; // every frame of play folded (play_digest.h)
};

inline std::string saved_games_dir() {
    return std::string(GRAZE_SOURCE_DIR) + "/tests/pilot_runs/";
}

inline std::string saved_game_text(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every run listed, in the file's order; an unreadable line fails the test.
inline std::vector<saved_game> read_saved_games() {
    std::vector<saved_game> games;
    std::istringstream lines(saved_game_text(saved_games_dir() + "expected_ends.tsv"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        saved_game game;
        words >> game.kind >> game.file;
        if (game.kind == "stage") words >> game.level >> game.difficulty;
        std::string end;
        while (words >> end) {
            if (end.rfind("digest:", 0) == 0) {
                game.play_digest = end.substr(7);
                continue;
            }
            const bool final_screen = end.rfind("final:", 0) == 0;
            int a = 0, b = 0, c = 0;
            char colon_1 = 0, colon_2 = 0;
            std::istringstream fields(final_screen ? end.substr(6) + ":0" : end);
            fields >> a >> colon_1 >> b >> colon_2 >> c;
            EXPECT_TRUE(fields && colon_1 == ':' && colon_2 == ':') << line;
            if (final_screen) {
                game.completed = a;
                game.final_score = b;
            } else {
                game.ends.emplace_back(a, b, c);
            }
        }
        EXPECT_TRUE(game.kind == "run" || game.kind == "one-run" || game.kind == "stage") << line;
        EXPECT_FALSE(game.ends.empty()) << line;
        EXPECT_EQ(game.play_digest.size(), 16u) << line;
        games.push_back(game);
    }
    return games;
}

inline std::vector<saved_game> saved_games_of_kind(const std::string& kind) {
    std::vector<saved_game> games;
    for (const saved_game& game : read_saved_games())
        if (game.kind == kind) games.push_back(game);
    return games;
}

inline const saved_game* saved_game_named(const std::vector<saved_game>& games,
                                          const std::string& file) {
    for (const saved_game& game : games)
        if (game.file == file) return &game;
    return nullptr;
}

// How the simulator plays a saved game: the mode its kind names and its keys.
// A saved stage's digest also folds the pixels of every 32nd presented frame
// (the title card, the play field, the panels, the outro): drawing every
// frame would cost the fast tests seconds a stage. The re-recording script
// passes the same number (--picture-every).
constexpr int saved_stage_picture_every = 32;

inline sim_options saved_game_options(const saved_game& game) {
    sim_options options;
    if (game.kind == "stage") options.picture_every = saved_stage_picture_every;
    options.whole_run = game.kind != "stage";
    options.one_run = game.kind == "one-run";
    options.level = game.level;
    options.difficulty = game.difficulty;
    options.trace = true;
    std::string error;
    EXPECT_TRUE(
        parse_input_script(saved_game_text(saved_games_dir() + game.file), options.input, error))
        << game.file << ": " << error;
    return options;
}

inline std::vector<level_end> level_ends(const std::vector<trace_line>& trace) {
    std::vector<level_end> ends;
    for (const trace_line& t : only(trace, "end")) ends.emplace_back(t.frame, t.code, t.score);
    return ends;
}
