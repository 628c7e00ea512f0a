// graze-loudness: BS.1770 loudness of sound files, and of a stage's mix
// rebuilt from a simulator trace.
//   graze-loudness FILE...             one line per file: integrated LUFS, the
//                                      loudest 400 ms (LUFS), true peak (dBTP)
//                                      and clipped samples
//   graze-loudness --catalogue         the same for every track and effect of
//                                      the generated catalogue
//   graze-loudness --mix TRACE...      each trace's mix (graze-sim --trace):
//                                      the whole stage, its loudest 10 seconds,
//                                      and the gun's share of the effects
//   --assets DIR                       the catalogue's folder (default: the build's)
//   --gain FILE=DB                     with --mix: plays that file louder or
//                                      softer, to try a balance
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "loudness_meter.h"
#include "pcm_decode.h"
#include "stage_mix.h"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: graze-loudness [--assets DIR] FILE... | --catalogue | --mix TRACE...\n");
    return 2;
}

std::string figure(double x) {
    if (!std::isfinite(x)) return "   -inf";
    char text[32];
    std::snprintf(text, sizeof text, "%7.1f", x);
    return text;
}

void print_header() {
    std::printf("%-40s %9s %9s %9s %8s\n", "file", "LUFS-I", "M-max", "dBTP", "clipped");
}

bool print_file(const std::string& path, const std::string& name) {
    pcm_stereo pcm;
    std::string error;
    if (!decode_sound_file(path, pcm, error)) {
        std::fprintf(stderr, "graze-loudness: %s\n", error.c_str());
        return false;
    }
    std::vector<float> stereo(pcm.samples.size());
    for (size_t i = 0; i < stereo.size(); ++i) stereo[i] = pcm.samples[i] / 32768.0f;
    const loudness_figures f = measure_stream(stereo.data(), pcm.frames());
    std::printf("%-40s %9s %9s %9s %8ld\n", name.c_str(), figure(f.integrated).c_str(),
                figure(f.momentary_max).c_str(), figure(f.true_peak).c_str(), f.clipped);
    return true;
}

std::vector<std::pair<std::string, float>> trial_gains;

bool print_mix(const std::string& trace_path, const std::string& asset_dir) {
    std::ifstream in(trace_path);
    if (!in) {
        std::fprintf(stderr, "graze-loudness: cannot read %s\n", trace_path.c_str());
        return false;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    const std::vector<mix_event> events = mix_events_of(lines);
    mix_sounds sounds;
    std::string error;
    if (!load_mix_sounds(asset_dir, sounds, error, &events)) {
        std::fprintf(stderr, "graze-loudness: %s\n", error.c_str());
        return false;
    }
    for (const auto& [name, db] : trial_gains)
        for (int slot = first_music_slot; slot < asset_slot_count; ++slot)
            if (sound_path("", slot).ends_with("/" + name))
                sounds.gain[static_cast<size_t>(slot - first_music_slot)] =
                    static_cast<float>(std::pow(10.0, db / 20.0));
    stage_mix_report r;
    if (!analyse_stage_mix(events, sounds, r)) {
        std::fprintf(stderr, "graze-loudness: libebur128 refused to start\n");
        return false;
    }
    std::printf("%s\n", trace_path.c_str());
    std::printf("  whole stage   %6.1f s: %s LUFS-I, %s LUFS M-max, %s dBTP, %ld clipped\n",
                r.whole.seconds, figure(r.whole.integrated).c_str(),
                figure(r.whole.momentary_max).c_str(), figure(r.whole.true_peak).c_str(),
                r.whole.clipped);
    std::printf("  loudest %2.0f s from %6.1f s: %s LUFS-I, %s LUFS M-max, %s dBTP, %ld clipped\n",
                loudest_window_seconds, r.loudest_start, figure(r.loudest.integrated).c_str(),
                figure(r.loudest.momentary_max).c_str(), figure(r.loudest.true_peak).c_str(),
                r.loudest.clipped);
    std::printf("  gun's share of the effects' energy: %.3f; enemy fire alone: %s LUFS M-max\n",
                r.gun_share, figure(r.enemy_fire_momentary_max).c_str());
    std::printf("  in the loudest stretch, each alone (LUFS): music %s",
                figure(r.loudest_music).c_str());
    for (int slot = first_chunk_slot; slot < asset_slot_count; ++slot) {
        const double lufs = r.loudest_effects[static_cast<size_t>(slot - first_chunk_slot)];
        if (!std::isfinite(lufs)) continue;
        const std::string path = sound_path("", slot);
        std::printf(", %s %s", path.substr(path.rfind('/') + 1).c_str(), figure(lufs).c_str());
    }
    std::printf("\n");
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string asset_dir = GRAZE_ASSET_DIR;
    std::vector<std::string> files;
    bool mix = false, catalogue = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--assets" && i + 1 < argc)
            asset_dir = argv[++i];
        else if (arg == "--gain" && i + 1 < argc) {
            const std::string trial = argv[++i];
            const size_t eq = trial.find('=');
            if (eq == std::string::npos) return usage();
            trial_gains.emplace_back(trial.substr(0, eq), std::stof(trial.substr(eq + 1)));
        } else if (arg == "--mix")
            mix = true;
        else if (arg == "--catalogue")
            catalogue = true;
        else if (arg.rfind("--", 0) == 0)
            return usage();
        else
            files.push_back(arg);
    }
    bool ok = true;
    if (catalogue) {
        print_header();
        for (int slot = first_music_slot; slot < asset_slot_count; ++slot) {
            const std::string path = sound_path(asset_dir, slot);
            ok = print_file(path, path.substr(path.rfind('/') + 1)) && ok;
        }
        return ok ? 0 : 1;
    }
    if (files.empty()) return usage();
    if (mix) {
        for (const std::string& f : files) ok = print_mix(f, asset_dir) && ok;
        return ok ? 0 : 1;
    }
    print_header();
    for (const std::string& f : files) ok = print_file(f, f) && ok;
    return ok ? 0 : 1;
}
