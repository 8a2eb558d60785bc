// Heads: skin, face, hair and hats, in profile, from the front and from
// behind. Heads are small (8 to 14 pixels), so every feature is placed as a
// pixel rule on the head's own unit circle (u across, v down).
#include <algorithm>

#include "figures/person_head.h"

namespace art::figures::head {

using namespace paint;

namespace {

struct HairShape {
    double vol;      // pixels of volume outside the skull
    double front;    // v of the hairline over the forehead
    double temple;   // v to which hair reaches in front of the ear
    double back;     // v to which hair reaches at the back
    double hang;     // v to which loose hair hangs below the skull (0: none)
};

HairShape shape_of(Hair h) {
    switch (h) {
    case Hair::Short: return {0.7, -0.48, -0.12, 0.5, 0};
    case Hair::Parted: return {0.5, -0.55, -0.15, 0.48, 0};
    case Hair::Crew: return {0.2, -0.6, -0.3, 0.4, 0};
    case Hair::Balding: return {0.3, -0.45, 0.3, 0.35, 0};
    case Hair::Curly: return {1.5, -0.42, 0.05, 0.5, 0};
    case Hair::Bob: return {1.0, -0.3, 0.85, 1.0, 1.05};
    case Hair::Long: return {0.9, -0.42, 0.6, 1.0, 2.2};
    case Hair::Ponytail: return {0.35, -0.5, -0.1, 0.45, 0};
    case Hair::Bun: return {0.35, -0.5, -0.1, 0.45, 0};
    case Hair::Plaits: return {0.5, -0.45, 0.0, 0.45, 0};
    }
    return {0.5, -0.5, -0.1, 0.3, 0};
}

bool covers_head(Hat h) { return h == Hat::Headscarf || h == Hat::Hood || h == Hat::Nikolaus || h == Hat::BunnyEars; }

// Hair colour at a pixel: the tone shaded as a ball, with strands.
uint8_t hair_px(const Look& L, double u, double v, int x, int y, double dark) {
    Mat m = mat(L.hair_tone, 1.3);
    bool curly = L.hair == Hair::Curly;
    double strand = curly ? (((x * 2 + y * 3) % 5) < 2 ? -0.45 : 0.15) : (((x + y * 2) % 5) == 0 ? -0.4 : 0.0);
    return lit({m.ramp, m.base + strand, m.relief}, std::clamp(u, -1.0, 1.0), std::clamp(v, -1.0, 1.0), x, y, dark);
}

}  // namespace

void paint_head(Canvas& cv, const Look& L, const HeadSpec& s) {
    const double rx = s.rx, ry = s.ry;
    const Pt C = s.c;
    const uint8_t id_skin = cv.part(), id_hair = cv.part();
    const Mat skin{ramp::skin, L.skin, 1.5};
    const HairShape hs = shape_of(L.hair);
    const bool profile = s.view == View::Side;
    const bool back = s.view == View::Back;
    const int f = s.facing;
    const bool big = rx >= 5.0;
    const bool hatted = L.hat != Hat::None;
    const bool hood = covers_head(L.hat);

    int x0 = int(std::floor(C.x - rx * 2.2 - 3)), x1 = int(std::ceil(C.x + rx * 2.2 + 3));
    int y0 = int(std::floor(C.y - ry * 3.8 - 3)), y1 = int(std::ceil(C.y + ry * 3.2 + 3));

    auto uv = [&](int x, int y, double& u, double& v) {
        u = (x + 0.5 - C.x) / rx;
        v = (y + 0.5 - C.y) / ry;
        if (profile) u *= f;
    };
    auto skull = [&](double u, double v) {
        double e = u * u + v * v;
        if (profile) {
            if (u > 0 && v > 0) {
                // the face is flatter than the skull: jaw and chin come forward
                double q = std::pow(u, 2.8) + std::pow(v, 2.4);
                if (q <= 1.0) return !(v > 0.86 && u > 0.55);
            }
            if (e > 1.0) return u > 0.88 && u < 1.0 + 1.15 / rx && v > -0.02 && v < 0.32;  // the nose
            if (v > 0.55 && u < -0.35 + (v - 0.55) * 0.6) return false;                  // into the nape
            return true;
        }
        if (e > 1.0) {
            // ears stand out a little at the sides
            return !back ? (std::abs(u) < 1.0 + 0.9 / rx && v > -0.12 && v < 0.3)
                         : (std::abs(u) < 1.0 + 0.9 / rx && v > -0.1 && v < 0.25);
        }
        if (v > 0.35 && std::abs(u) > std::sqrt(std::max(0.0, 1 - v * v)) * (1.0 - (v - 0.35) * 0.45)) return false;
        return true;
    };
    // Hair at a point (skull or the volume round it), before hats.
    auto hair_at = [&](double u, double v, bool in_skull) {
        if (hood) return false;
        double vx = 1.0 + hs.vol / rx, vy = 1.0 + hs.vol / ry;
        bool in_volume = (u / vx) * (u / vx) + (v / vy) * (v / vy) <= 1.0;
        if (profile) {
            if (L.hair == Hair::Balding) {
                bool ring = u < 0.05 && v > -0.5 && v < hs.back && (in_skull || (in_volume && v > -0.3));
                return ring;
            }
            if (!in_skull && !in_volume && hs.hang > 0) {
                // loose hair hanging behind the ear and down the back
                double w0 = L.hair == Hair::Long ? -1.25 : -1.15, w1 = L.hair == Hair::Long ? -0.05 : 0.18;
                return v > 0.0 && v < hs.hang && u > w0 + std::max(0.0, v - 1.6) * 0.25 && u < w1;
            }
            if (!in_skull && !in_volume) return false;
            if (!in_skull && v > 0.35 && hs.hang == 0) return false;
            if (u > 0.28) return v < hs.front + (u - 0.28) * 0.15;
            if (u > -0.22) return v < std::min(hs.temple, hs.back);
            return v < std::max(hs.back, hs.hang > 0 ? hs.hang : 0.0);
        }
        if (back) {
            if (L.hair == Hair::Balding) return (in_skull || in_volume) && v > -0.45 && v < hs.back;
            if (!in_skull && !in_volume) {
                return hs.hang > 0 && v > 0 && v < hs.hang && std::abs(u) < 1.2;
            }
            return v < std::max(hs.back + 0.1, hs.hang > 0 ? hs.hang : 0.0);
        }
        // front
        if (L.hair == Hair::Balding)
            return std::abs(u) > 0.7 && v > -0.45 && v < hs.back && (in_skull || in_volume);
        if (!in_skull && !in_volume) {
            return hs.hang > 0 && v > -0.1 && v < hs.hang && std::abs(u) > 0.72 && std::abs(u) < 1.3;
        }
        double fringe = hs.front + 0.12 * u * u;
        if (L.hair == Hair::Bob) fringe = -0.22;
        if (v < fringe) return true;
        if (std::abs(u) > 0.8 && v < hs.temple) return true;
        return false;
    };

    // Loose hair behind the head first, then the head.
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double u, v;
            uv(x, y, u, v);
            bool sk = skull(u, v);
            if (hair_at(u, v, sk)) {
                double hu = profile ? u * f : u;
                cv.put(x, y, hair_px(L, hu / 1.3, v / 1.6, x, y, 0), id_hair);
            } else if (sk) {
                double su = profile ? u * f : u;
                cv.put(x, y, lit(skin, su * 0.9, v * 0.8, x, y, 0), id_skin);
            }
        }

    // Extra hair shapes: tails, buns, plaits.
    auto hair_ball = [&](double u, double v, double r) {
        Pt p{C.x + (profile ? f * u : u) * rx, C.y + v * ry};
        for (int y = int(p.y - r * ry - 1); y <= int(p.y + r * ry + 1); ++y)
            for (int x = int(p.x - r * rx - 1); x <= int(p.x + r * rx + 1); ++x) {
                double du = (x + 0.5 - p.x) / (r * rx), dv = (y + 0.5 - p.y) / (r * ry);
                if (du * du + dv * dv <= 1.0) cv.put(x, y, hair_px(L, du * 0.8, dv * 0.8, x, y, 0.2), id_hair);
            }
    };
    auto hair_rope = [&](double u0, double v0, double u1, double v1, double r) {
        for (int k = 0; k <= 10; ++k) {
            double t = k / 10.0;
            hair_ball(u0 + (u1 - u0) * t, v0 + (v1 - v0) * t, r * (1.0 - 0.3 * t));
        }
    };
    if (!hood) {
        if (L.hair == Hair::Ponytail && !hatted) {
            if (profile) hair_rope(-1.05, -0.35, -1.35, 1.3, 0.3);
            else if (back) hair_rope(0.0, -0.2, 0.05, 1.4, 0.3);
        }
        if (L.hair == Hair::Ponytail && hatted && profile) hair_rope(-1.0, 0.1, -1.2, 1.2, 0.28);
        if (L.hair == Hair::Bun && !hatted) {
            if (profile) hair_ball(-0.95, -0.55, 0.38);
            else if (back) hair_ball(0.0, -0.35, 0.42);
            else hair_ball(0.0, -1.05, 0.3);
        }
        if (L.hair == Hair::Plaits) {
            if (profile) hair_rope(-0.5, 0.4, -0.7, 1.45, 0.3);
            else {
                hair_rope(-0.98, 0.2, -1.08, 1.4, 0.3);
                hair_rope(0.98, 0.2, 1.08, 1.4, 0.3);
            }
        }
    }

    // The face.
    const uint8_t sk_dark = shift(ramp::skin(int(L.skin + 0.5)), -2);
    const uint8_t eye = L.hair_tone.ramp.first == ramp::grey.first ? ramp::grey(1) : ramp::hair(0);
    const uint8_t brow = L.hair_tone.ramp.first == ramp::hair.first ? shift(L.hair_tone.mid(), -1)
                         : L.hair_tone.ramp.first == ramp::grey.first ? ramp::grey(std::max(2, int(L.hair_tone.base) - 2))
                                                                       : shift(L.hair_tone.mid(), -1);
    const uint8_t lips = L.lipstick ? ramp::cloth_red(2) : shift(ramp::skin(int(L.skin + 0.5)), -2);
    auto at = [&](double u, double v) { return Pt{C.x + (profile ? f * u : u) * rx, C.y + v * ry}; };
    if (profile) {
        Pt e = at(0.5, -0.06);
        if (!s.blink) {
            dot(cv, e, eye, id_skin);
            if (big) dot(cv, e + Pt{double(f), 0}, ramp::grey(7), id_skin);
        } else {
            dot(cv, e, shift(ramp::skin(int(L.skin + 0.5)), -1), id_skin);
        }
        if (big) dot(cv, e + Pt{0, -2.0}, brow, id_skin);
        Pt ear = at(-0.18, 0.1);
        dot(cv, ear, shift(ramp::skin(int(L.skin + 0.5)), -1), id_skin);
        if (big) dot(cv, ear + Pt{0, 1}, sk_dark, id_skin);
        Pt mo = at(0.74, 0.56);
        if (s.mouth == 1) {
            dot(cv, mo, ramp::dusk(0), id_skin);
            dot(cv, mo + Pt{0, 1}, lips, id_skin);
        } else if (s.mouth == 2) {
            dot(cv, mo, lips, id_skin);
            dot(cv, at(0.35, 0.45), shift(ramp::skin(int(L.skin + 0.5)), 1), id_skin);  // full cheek
        } else {
            dot(cv, mo, lips, id_skin);
        }
        if (L.beard == Beard::Full) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    double u, v;
                    uv(x, y, u, v);
                    if (!skull(u, v) || v < 0.22 || u < -0.35) continue;
                    if (u > 0.6 && v < 0.5 && v > 0.3) continue;  // keep the mouth line open
                    if (u > 0.85 && v < 0.36) continue;           // and the nose
                    cv.put(x, y, hair_px(L, u * f * 0.7, v * 0.8, x, y, -0.2), id_hair);
                }
            if (s.mouth) dot(cv, mo, ramp::dusk(0), id_hair);
        } else if (L.beard == Beard::Moustache) {
            dot(cv, at(0.78, 0.38), brow, id_skin);
            dot(cv, at(0.58, 0.38), brow, id_skin);
        } else if (L.beard == Beard::Stubble) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    double u, v;
                    uv(x, y, u, v);
                    if (skull(u, v) && v > 0.3 && u > -0.3 && u < 0.9 && ((x + y) & 1))
                        cv.put(x, y, shift(cv.img.get(x, y), -1), id_skin);
                }
        }
        if (L.glasses) {
            dot(cv, e + Pt{double(f), 0}, ramp::grey(6), id_skin);
            seg(cv, e + Pt{-f * 1.0, 0}, at(-0.12, -0.06), ramp::grey(2), id_skin);
        }
    } else if (!back) {
        Pt el = at(-0.4, -0.02), er = at(0.38, -0.02);
        if (!s.blink) {
            dot(cv, el, eye, id_skin);
            dot(cv, er, eye, id_skin);
            if (big) {
                dot(cv, el + Pt{-1, 0}, ramp::grey(7), id_skin);
                dot(cv, er + Pt{1, 0}, ramp::grey(6), id_skin);
            }
        } else {
            dot(cv, el, shift(ramp::skin(int(L.skin + 0.5)), -1), id_skin);
            dot(cv, er, shift(ramp::skin(int(L.skin + 0.5)), -1), id_skin);
        }
        if (big) {
            double by = -2.0;
            dot(cv, el + Pt{0, by}, brow, id_skin);
            dot(cv, er + Pt{0, by}, brow, id_skin);
            if (big) {
                dot(cv, el + Pt{-1, by}, brow, id_skin);
                dot(cv, er + Pt{1, by}, brow, id_skin);
            }
        }
        dot(cv, at(0.14, 0.32), shift(ramp::skin(int(L.skin + 0.5)), -1), id_skin);  // nose shadow
        if (big) dot(cv, at(0.14, 0.18), shift(ramp::skin(int(L.skin + 0.5)), -1), id_skin);
        double mv = 0.62;
        int mw = big ? 2 : 1;
        for (int k = -mw + 1; k < mw; ++k) dot(cv, at(0, mv) + Pt{double(k), 0}, lips, id_skin);
        if (s.mouth == 1) dot(cv, at(0, mv) + Pt{0, 1}, ramp::dusk(0), id_skin);
        if (s.mouth == 2) {
            dot(cv, at(-0.55, 0.42), shift(ramp::skin(int(L.skin + 0.5)), 1), id_skin);
            dot(cv, at(0.55, 0.42), shift(ramp::skin(int(L.skin + 0.5)), 0), id_skin);
        }
        if (L.beard == Beard::Full) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    double u, v;
                    uv(x, y, u, v);
                    if (!skull(u, v) || v < 0.2) continue;
                    if (std::abs(u) < 0.42 && v > 0.3 && v < 0.5) continue;
                    if (std::abs(u) > 1.0) continue;
                    cv.put(x, y, hair_px(L, u * 0.7, v * 0.8, x, y, -0.2), id_hair);
                }
            for (int k = -mw + 1; k < mw; ++k) dot(cv, at(0, mv) + Pt{double(k), 0}, s.mouth ? ramp::dusk(0) : lips, id_hair);
        } else if (L.beard == Beard::Moustache) {
            for (int k = -1; k <= 1; ++k) dot(cv, at(0, 0.45) + Pt{double(k), 0}, brow, id_skin);
        } else if (L.beard == Beard::Stubble) {
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    double u, v;
                    uv(x, y, u, v);
                    if (skull(u, v) && v > 0.35 && std::abs(u) < 0.95 && ((x + y) & 1))
                        cv.put(x, y, shift(cv.img.get(x, y), -1), id_skin);
                }
        }
        if (L.glasses) {
            // thin rims: a bar over each eye, the outer corner, the bridge
            uint8_t fr = ramp::grey(3);
            int span = big ? 2 : 1;
            for (int k = -span; k <= span; ++k) {
                dot(cv, el + Pt{double(k), -1}, fr, id_skin);
                dot(cv, er + Pt{double(k), -1}, fr, id_skin);
            }
            dot(cv, el + Pt{double(-span - (big ? 0 : 1)), 0}, fr, id_skin);
            dot(cv, er + Pt{double(span + (big ? 0 : 1)), 0}, fr, id_skin);
            if (big) {
                dot(cv, el + Pt{0, 1}, shift(fr, 1), id_skin);
                dot(cv, er + Pt{0, 1}, shift(fr, 1), id_skin);
            }
        }
    }

    // Hats.
    if (L.hat == Hat::None) return;
    const uint8_t id_hat = cv.part();
    const Mat hm = mat(L.hat_tone, 1.4);
    auto hat_px = [&](double u, double v, int x, int y, double dark) {
        return lit(hm, std::clamp(u, -1.0, 1.0), std::clamp(v, -1.0, 1.0), x, y, dark);
    };
    auto fill_uv = [&](auto&& inside, auto&& colour) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                double u, v;
                uv(x, y, u, v);
                if (inside(u, v)) cv.put(x, y, colour(u, v, x, y), id_hat);
            }
    };
    auto plain = [&](double scale_u, double scale_v, double dark) {
        return [=, &hat_px](double u, double v, int x, int y) {
            double su = profile ? u * f : u;
            return hat_px(su * scale_u, v * scale_v, x, y, dark);
        };
    };
    switch (L.hat) {
    case Hat::Cap:
        fill_uv([&](double u, double v) { return v < -0.28 && (u * u / 1.2 + v * v) <= 1.12; }, plain(0.9, 0.8, 0));
        if (profile)
            fill_uv([&](double u, double v) { return u > 0.5 && u < 1.75 && v > -0.48 && v < -0.22; },
                    plain(0.2, 0.2, 0.8));
        else if (!back)
            fill_uv([&](double u, double v) { return std::abs(u) < 1.05 && v > -0.42 && v < -0.22; },
                    plain(0.3, 0.2, 0.9));
        break;
    case Hat::FlatCap:
        fill_uv([&](double u, double v) {
            double ue = profile ? u - 0.15 : u;
            return v < -0.3 && (ue * ue / 1.35 + (v + 0.1) * (v + 0.1) * 1.6) <= 1.2;
        }, plain(0.9, 1.0, 0));
        if (profile)
            fill_uv([&](double u, double v) { return u > 0.6 && u < 1.4 && v > -0.45 && v < -0.28; },
                    plain(0.3, 0.2, 0.7));
        break;
    case Hat::Trilby: {
        fill_uv([&](double u, double v) {
            double top = -1.42 + 0.12 * u * u;
            return v > top && v < -0.42 && std::abs(u) < 0.86 - std::max(0.0, -1.2 - v) * 0.8;
        }, plain(1.0, 0.6, 0));
        // the crease along the crown
        if (!back) fill_uv([&](double u, double v) { return std::abs(u) < 0.12 && v > -1.45 && v < -1.2; }, plain(0.3, 0.3, 1.0));
        // band
        fill_uv([&](double u, double v) { return v > -0.64 && v < -0.44 && std::abs(u) < 0.86; },
                [&](double, double, int, int) { return ramp::grey(1); });
        // brim
        double reach_f = profile ? 1.45 : 1.5, reach_b = profile ? -1.3 : -1.5;
        fill_uv([&](double u, double v) {
            double tilt = profile ? std::max(0.0, u - 0.9) * 0.12 : 0.0;
            return u > reach_b && u < reach_f && v > -0.5 + tilt && v < -0.5 + tilt + 1.2 / ry;
        }, plain(0.6, 0.2, 0.3));
        break;
    }
    case Hat::WoolHat:
        fill_uv([&](double u, double v) { return v < -0.2 && (u * u + (v + 0.15) * (v + 0.15) * 0.75) <= 1.15; },
                plain(0.9, 0.9, 0));
        fill_uv([&](double u, double v) {
            return v > -0.45 && v < -0.2 && (u * u + (v + 0.15) * (v + 0.15) * 0.75) <= 1.15;
        }, [&](double u, double, int x, int y) { return hat_px(u, 0, x, y, (x & 1) ? 0.6 : 0.0); });
        {
            Pt b = at(profile ? -0.15 : 0.0, -1.38);
            ball(cv, b, std::max(1.4, rx * 0.3), std::max(1.4, rx * 0.3), mat(L.scarf_tone, 1.2), id_hat);
        }
        break;
    case Hat::Headscarf:
    case Hat::Hood:
    case Hat::Nikolaus:
    case Hat::BunnyEars: {
        const double vol = L.hat == Hat::Headscarf ? 0.9 : 1.9;
        const double low = L.hat == Hat::Headscarf ? 0.95 : 1.25;
        auto face = [&](double u, double v) {
            if (back) return false;
            if (profile) return u > 0.2 && v > -0.5 && v < 0.95;
            return std::abs(u) < 0.78 && v > -0.52 && v < 1.0;
        };
        fill_uv([&](double u, double v) {
            double vx = 1.0 + vol / rx, vy = 1.0 + vol / ry;
            bool in = (u / vx) * (u / vx) + (v / vy) * (v / vy) <= 1.0 && v < low;
            if (profile && v > 0.3 && u < -0.4) in = in && u > -1.0 - 0.6 * (v - 0.3);
            return in && !face(u, v);
        }, plain(0.8, 0.7, 0));
        if (L.hat == Hat::Headscarf && !back) {
            Pt k = at(profile ? 0.3 : 0.0, 1.05);
            ball(cv, k, 1.3, 1.1, hm, id_hat, 0.3);
        }
        if (L.hat == Hat::Nikolaus) {
            // white fur round the face and a tip falling back
            Mat fur = mat(L.under_tone, 1.0);
            fill_uv([&](double u, double v) {
                double vx = 1.0 + vol / rx, vy = 1.0 + vol / ry;
                bool in = (u / vx) * (u / vx) + (v / vy) * (v / vy) <= 1.0 && v < low;
                if (!in || face(u, v)) return false;
                if (back) return v > 0.9;
                if (profile) return (u > -0.15 && v < -0.2) || v > 0.85;
                return v < -0.35 || v > 0.85;
            }, [&](double u, double v, int x, int y) { return lit(fur, u * 0.5, v * 0.5, x, y, ((x * 3 + y) % 4 == 0) ? 0.5 : 0); });
            Pt tip = at(profile ? -1.8 : 1.4, -1.2);
            Pt top = at(profile ? -0.3 : 0.4, -1.6);
            capsule(cv, top, tip, rx * 0.45, rx * 0.3, hm, id_hat, 0.3);
            ball(cv, tip + Pt{0, 1.5}, 1.6, 1.6, fur, id_hat);
        }
        if (L.hat == Hat::BunnyEars) {
            Mat inner = mat(L.under_tone, 1.0);
            for (int k = 0; k < 2; ++k) {
                double du = profile ? (k == 0 ? -0.45 : 0.05) : (k == 0 ? -0.45 : 0.45);
                Pt a = at(du, -0.9), b = at(du * 1.4 + (profile ? -0.35 : 0.0), -3.4);
                double dk = (profile && k == 0) ? 0.7 : 0.0;
                capsule(cv, a, b, rx * 0.3, rx * 0.34, hm, id_hat, dk);
                if (!back) capsule(cv, lerp(a, b, 0.25), lerp(a, b, 0.88), rx * 0.1, rx * 0.14, inner, id_hat, dk);
            }
        }
        break;
    }
    case Hat::PeakedCap:
        fill_uv([&](double u, double v) {
            double w = 0.98 + std::max(0.0, -0.9 - v) * 0.35;
            return v > -1.32 && v < -0.42 && std::abs(profile ? u - 0.08 : u) < w;
        }, plain(0.9, 0.5, 0));
        fill_uv([&](double u, double v) { return v > -0.72 && v < -0.46 && std::abs(profile ? u - 0.08 : u) < 1.0; },
                [&](double, double, int, int) { return ramp::night(1); });
        if (profile)
            fill_uv([&](double u, double v) { return u > 0.6 && u < 1.55 && v > -0.5 && v < -0.28; },
                    [&](double, double, int, int) { return ramp::grey(1); });
        else if (!back) {
            fill_uv([&](double u, double v) { return std::abs(u) < 1.0 && v > -0.46 && v < -0.28; },
                    [&](double, double, int, int) { return ramp::grey(1); });
            dot(cv, at(0, -0.95), ramp::paint_yellow(4), id_hat);
        }
        if (profile) dot(cv, at(0.7, -0.95), ramp::paint_yellow(4), id_hat);
        break;
    case Hat::None:
        break;
    }
}

}  // namespace art::figures::head
