#include "picture_measures.h"

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

#include <algorithm>
#include <cmath>

#include "support/asset_catalogue.h"

std::string slot_file(int slot) {
    std::string path = asset_catalogue[slot].path;
    if (path.rfind("./", 0) == 0) path = path.substr(2);
    return std::string(GRAZE_ASSET_DIR) + "/" + path;
}

rgb_image load_slot_image(int slot) {
    rgb_image image;
    SDL_Surface* s = IMG_Load(slot_file(slot).c_str());
    if (!s) return image;
    image.w = s->w;
    image.h = s->h;
    image.px.resize(static_cast<size_t>(s->w) * s->h);
    image.opaque.resize(image.px.size());
    const key_colour k = asset_catalogue[slot].key;
    const std::uint32_t key = (k.r << 16) | (k.g << 8) | k.b;
    const int bytes = s->format->BytesPerPixel;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * bytes;
            Uint32 v = 0;
            for (int i = 0; i < bytes; ++i) v |= static_cast<Uint32>(p[i]) << (8 * i);
            Uint8 r, g, b;
            SDL_GetRGB(v, s->format, &r, &g, &b);
            const std::uint32_t c = (r << 16) | (g << 8) | b;
            const size_t i = static_cast<size_t>(y) * s->w + x;
            image.px[i] = c;
            image.opaque[i] = !k.keyed || c != key;
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return image;
}

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

bool opaque_at(const rgb_image& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.w || y >= image.h) return false;
    return image.opaque[static_cast<size_t>(y) * image.w + x] != 0;
}

} // namespace

double relative_luminance(std::uint32_t rgb) {
    return 0.2126 * linear((rgb >> 16) & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) +
           0.0722 * linear(rgb & 0xFF);
}

double contrast_ratio(double l1, double l2) {
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

std::vector<std::vector<double>> ring_luminances(const rgb_image& bullet, int rings) {
    // Ring number of every opaque pixel by peeling the shape from outside.
    std::vector<int> ring(bullet.px.size(), 0);
    std::vector<std::vector<double>> out(static_cast<size_t>(rings));
    auto ring_at = [&](int x, int y) {
        if (!opaque_at(bullet, x, y)) return -1; // outside the figure
        return ring[static_cast<size_t>(y) * bullet.w + x];
    };
    for (int r = 1; r <= rings; ++r) {
        std::vector<size_t> found;
        for (int y = 0; y < bullet.h; ++y)
            for (int x = 0; x < bullet.w; ++x) {
                if (ring_at(x, y) != 0) continue;
                bool touches = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int n = ring_at(x + dx, y + dy);
                        if (n == -1 || (n > 0 && n == r - 1)) touches = true;
                    }
                if (touches) found.push_back(static_cast<size_t>(y) * bullet.w + x);
            }
        for (size_t i : found) {
            ring[i] = r;
            out[static_cast<size_t>(r - 1)].push_back(relative_luminance(bullet.px[i]));
        }
    }
    for (auto& lums : out) {
        std::sort(lums.begin(), lums.end());
        lums.erase(std::unique(lums.begin(), lums.end()), lums.end());
    }
    return out;
}

double ring_contrast_share(const std::vector<std::vector<double>>& rings, const rgb_image& backdrop,
                           int x0, int x1, double ratio) {
    // Distinct backdrop colours first: far fewer than pixels.
    std::vector<std::uint32_t> colours;
    colours.reserve(static_cast<size_t>(x1 - x0) * backdrop.h);
    for (int y = 0; y < backdrop.h; ++y)
        for (int x = x0; x < x1; ++x)
            colours.push_back(backdrop.px[static_cast<size_t>(y) * backdrop.w + x]);
    std::sort(colours.begin(), colours.end());
    long passing = 0;
    for (size_t i = 0; i < colours.size();) {
        size_t j = i;
        while (j < colours.size() && colours[j] == colours[i]) ++j;
        const double l = relative_luminance(colours[i]);
        bool seen = false;
        for (const auto& ring : rings) {
            if (ring.empty()) continue;
            bool all = true;
            for (double r : ring) all = all && contrast_ratio(r, l) >= ratio;
            seen = seen || all;
        }
        if (seen) passing += static_cast<long>(j - i);
        i = j;
    }
    return colours.empty() ? 0.0 : static_cast<double>(passing) / colours.size();
}

double mean_opaque_luminance(const rgb_image& image) {
    double sum = 0;
    long count = 0;
    for (size_t i = 0; i < image.px.size(); ++i)
        if (image.opaque[i]) {
            sum += relative_luminance(image.px[i]);
            ++count;
        }
    return count ? sum / count : 0.0;
}

int longest_edge_run(const rgb_image& image) {
    int longest = 0;
    auto walk = [&](int x, int y, int dx, int dy, int steps) {
        int run = 0;
        for (int i = 0; i < steps; ++i, x += dx, y += dy) {
            run = opaque_at(image, x, y) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    };
    walk(0, 0, 1, 0, image.w);
    walk(0, image.h - 1, 1, 0, image.w);
    walk(0, 0, 0, 1, image.h);
    walk(image.w - 1, 0, 0, 1, image.h);
    return longest;
}

std::vector<int> pinholes(const rgb_image& image) {
    std::vector<int> label(image.px.size(), 0);
    std::vector<int> holes;
    std::vector<size_t> stack, members;
    auto transparent = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < image.w && y < image.h && !opaque_at(image, x, y);
    };
    for (size_t start = 0; start < image.px.size(); ++start) {
        if (image.opaque[start] || label[start]) continue;
        bool open = false;
        members.clear();
        label[start] = 1;
        stack.push_back(start);
        while (!stack.empty()) {
            const size_t i = stack.back();
            stack.pop_back();
            members.push_back(i);
            const int x = static_cast<int>(i % image.w), y = static_cast<int>(i / image.w);
            if (x == 0 || y == 0 || x == image.w - 1 || y == image.h - 1) open = true;
            const int nx[] = {x - 1, x + 1, x, x}, ny[] = {y, y, y - 1, y + 1};
            for (int k = 0; k < 4; ++k) {
                if (!transparent(nx[k], ny[k])) continue;
                const size_t n = static_cast<size_t>(ny[k]) * image.w + nx[k];
                if (label[n]) continue;
                label[n] = 1;
                stack.push_back(n);
            }
        }
        if (open || members.size() > pinhole_limit) continue;
        // One pixel of a checkered, see-through part (a spinning propeller's
        // blur) opens diagonally on others like it: not a hole in the figure.
        if (members.size() == 1) {
            const int x = static_cast<int>(members[0] % image.w);
            const int y = static_cast<int>(members[0] / image.w);
            const int diagonal = transparent(x - 1, y - 1) + transparent(x + 1, y - 1) +
                                 transparent(x - 1, y + 1) + transparent(x + 1, y + 1);
            if (diagonal >= 2) continue;
        }
        holes.push_back(static_cast<int>(members.size()));
    }
    return holes;
}

std::vector<spot> bullet_like_spots(const rgb_image& backdrop, int x0, int x1) {
    // The ground around each pixel: the mean luminance of a 31-pixel square
    // (rows wrap, the backdrops scroll).
    const int w = x1 - x0, h = backdrop.h, reach = 15;
    std::vector<double> lum(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            lum[static_cast<size_t>(y) * w + x] =
                relative_luminance(backdrop.px[static_cast<size_t>(y) * backdrop.w + x0 + x]);
    std::vector<double> column(static_cast<size_t>(w) * h), ground(lum.size());
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y) {
            double sum = 0;
            for (int d = -reach; d <= reach; ++d)
                sum += lum[static_cast<size_t>((y + d + h) % h) * w + x];
            column[static_cast<size_t>(y) * w + x] = sum;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double sum = 0;
            int n = 0;
            for (int d = -reach; d <= reach; ++d) {
                if (x + d < 0 || x + d >= w) continue;
                sum += column[static_cast<size_t>(y) * w + x + d];
                n += 2 * reach + 1;
            }
            ground[static_cast<size_t>(y) * w + x] = sum / n;
        }
    // Bright pixels stand out from their ground as a bullet's body does.
    std::vector<std::uint8_t> bright(lum.size());
    for (size_t i = 0; i < lum.size(); ++i)
        bright[i] = lum[i] > ground[i] && contrast_ratio(lum[i], ground[i]) >= 2.0;
    std::vector<spot> spots;
    std::vector<std::uint8_t> seen(lum.size());
    std::vector<size_t> stack;
    for (size_t start = 0; start < lum.size(); ++start) {
        if (!bright[start] || seen[start]) continue;
        int left = w, right = -1, top = h, bottom = -1, area = 0;
        seen[start] = 1;
        stack.push_back(start);
        while (!stack.empty()) {
            const size_t i = stack.back();
            stack.pop_back();
            ++area;
            const int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
                    const size_t n = static_cast<size_t>(ny) * w + nx;
                    if (!bright[n] || seen[n]) continue;
                    seen[n] = 1;
                    stack.push_back(n);
                }
        }
        const int sw = right - left + 1, sh = bottom - top + 1;
        // A bullet's size (8 to 16 pixels, a little either way), about as
        // wide as tall, and filled like a disc or a square.
        const bool sized = sw >= 5 && sh >= 5 && sw <= 18 && sh <= 18;
        const bool compact = std::max(sw, sh) <= 2 * std::min(sw, sh) && area * 2 >= sw * sh;
        if (sized && compact) spots.push_back({x0 + left, top, sw, sh});
    }
    return spots;
}
