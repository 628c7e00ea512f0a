#include "music/music_songs.h"

std::vector<song_plan> all_songs() {
    return {song_introduction(), song_free(),   song_prayer(), song_boss(),
            song_forest(),       song_grotte(), song_volcan(), song_boss4_5(),
            song_enterprise(),   song_boss6(),  song_bye()};
}
