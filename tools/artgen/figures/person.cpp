#include "figures/person.h"

#include <algorithm>
#include <cmath>

#include "figures/person_body.h"
#include "figures/person_head.h"
#include "figures/person_paint.h"

namespace art::figures {

using namespace paint;
using body::Joints;
using body::Measures;

namespace {

bool long_garment(Top t) { return t == Top::Coat || t == Top::LongCoat || t == Top::Dress || t == Top::Robe; }

Mat leg_mat(const Look& L, bool thigh) {
    if (L.top == Top::Overalls || L.top == Top::Costume) return mat(L.top_tone, 1.3);
    switch (L.bottom) {
    case Bottom::Trousers: case Bottom::Jeans: return mat(L.bottom_tone, 1.3);
    case Bottom::Shorts: return thigh ? mat(L.bottom_tone, 1.3) : mat(L.legs_tone, 1.4);
    default: break;
    }
    if (L.top == Top::Robe) return mat({ramp::grey, 1.5}, 1.0);
    return mat(L.legs_tone, 1.4);
}

Mat sleeve_mat(const Look& L) {
    if (L.top == Top::Overalls) return mat(L.under_tone, 1.3);
    return mat(L.top_tone, 1.4);
}

struct Painter {
    Canvas& cv;
    const Look& L;
    const Pose& P;
    const Measures& M;
    Joints J;
    bool side, front, back;
    int f;
    int ground;

    Painter(Canvas& c, const Look& l, const Pose& p, const Measures& m, const Joints& j, int g)
        : cv(c), L(l), P(p), M(m), J(j), side(p.view == View::Side), front(p.view == View::Front),
          back(p.view == View::Back), f(p.view == View::Side ? p.facing : 1), ground(g) {}

    Pt bp(double x, double y) const { return body::body_pt(J, P, x, y); }
    Pt hip_joint(int i) const {
        if (side) return J.hip;
        return J.hip + Pt{(i == 0 ? -1 : 1) * M.hip_half * 0.5, 0};
    }

    // Front-most and back-most reach of the legs at screen row Y, in the
    // facing direction (side view) or screen x (front view), relative to the hip.
    void leg_reach(double Y, double& lo, double& hi) const {
        lo = 1e9, hi = -1e9;
        for (int i = 0; i < 2; ++i) {
            Pt a = hip_joint(i), b = J.knee[i], c = J.ankle[i];
            double ra = M.thigh_r, rb = M.knee_r, rc = M.ankle_r;
            auto take = [&](Pt p, Pt q, double rp, double rq) {
                double y0 = std::min(p.y, q.y), y1 = std::max(p.y, q.y);
                if (Y < y0 - 0.01 || Y > y1 + 0.01 || std::abs(q.y - p.y) < 1e-6) return;
                double t = (Y - p.y) / (q.y - p.y);
                double x = (p.x + (q.x - p.x) * t - J.hip.x) * f;
                double r = rp + (rq - rp) * t;
                lo = std::min(lo, x - r), hi = std::max(hi, x + r);
            };
            take(a, b, ra, rb);
            take(b, c, rb, rc);
            if (Y > std::max(b.y, c.y)) {
                double x = (c.x - J.hip.x) * f;
                lo = std::min(lo, x - rc), hi = std::max(hi, x + rc);
            }
        }
        if (lo > hi) lo = hi = 0;
    }

    void shoe(int i, double dark) {
        uint8_t id = cv.part();
        std::vector<Pt> pts(J.foot_pts[i], J.foot_pts[i] + J.foot_n[i]);
        blob(cv, pts, mat(L.shoe_tone, 1.1), id, dark, 0.6);
        if (side) dot(cv, lerp(J.foot_pts[i][4], J.foot_pts[i][3], 0.35) + Pt{0, 0.4}, shift(L.shoe_tone.mid(), 2), id);
        else dot(cv, J.foot_pts[i][0] + Pt{1.2, 0.5}, shift(L.shoe_tone.mid(), 2), id);
    }

    void leg(int i, double dark) {
        uint8_t id = cv.part();
        Pt h = hip_joint(i);
        Mat thigh = leg_mat(L, true), shin = leg_mat(L, false);
        const bool shorts = L.bottom == Bottom::Shorts && L.top != Top::Overalls;
        if (shorts) thigh = mat(L.legs_tone, 1.4);
        capsule(cv, h, J.knee[i], M.thigh_r, M.knee_r, thigh, id, dark);
        capsule(cv, J.knee[i], J.ankle[i], M.calf_r, M.ankle_r, shin, id, dark);
        if (shorts) {
            uint8_t sid = cv.part();
            capsule(cv, h, lerp(h, J.knee[i], 0.62), M.thigh_r + 0.7, M.thigh_r + 0.4, mat(L.bottom_tone, 1.3), sid, dark);
        }
        // the crease behind a bent knee and the fall of a trouser leg
        if (side && P.leg[i].bend > 22) dot(cv, J.knee[i] + Pt{-f * (M.knee_r - 0.6), 0.6}, shift(shin.ramp(int(shin.base)), -2), id);
        if (L.bottom == Bottom::Trousers && side && L.top != Top::Overalls && !long_garment(L.top)) {
            // the pressed crease down the front of the trouser leg catches the light
            Pt a = lerp(J.knee[i], J.ankle[i], 0.15) + Pt{f * (M.calf_r * 0.3), 0};
            Pt b = lerp(J.knee[i], J.ankle[i], 0.85) + Pt{f * (M.ankle_r * 0.3), 0};
            seg(cv, a, b, shift(shin.ramp(int(shin.base + 0.5)), dark > 0 ? 0 : 1), id);
        }
        if (L.bottom == Bottom::Jeans && front) {
            Pt a = lerp(h, J.knee[i], 0.55);
            dot(cv, a + Pt{-0.5, 0}, shift(thigh.ramp(int(thigh.base)), 1), id);
        }
        shoe(i, dark);
    }

    void hand(int i, double dark) {
        if (P.hold[i] == Held::Pocket) return;
        uint8_t id = cv.part();
        Mat skin{ramp::skin, L.skin, 1.3};
        if (L.top == Top::Costume) skin = mat(L.top_tone, 1.2);
        double r = M.hand_r;
        ball(cv, J.hand[i], r, r * 1.05, skin, id, dark);
    }

    void arm(int i, double dark) {
        uint8_t id = cv.part();
        Mat sl = sleeve_mat(L);
        const bool tshirt = L.top == Top::Shirt && L.age == Age::Child;
        capsule(cv, J.shoulder[i], J.elbow[i], M.uarm_r, M.elbow_r, sl, id, dark);
        Mat fore = tshirt ? Mat{ramp::skin, L.skin, 1.4} : sl;
        capsule(cv, J.elbow[i], J.wrist[i], tshirt ? M.elbow_r * 0.75 : M.elbow_r, M.wrist_r, fore, id, dark);
        if (tshirt) capsule(cv, J.shoulder[i], lerp(J.shoulder[i], J.elbow[i], 0.8), M.uarm_r + 0.4, M.elbow_r + 0.4, sl, id, dark);
        // inner elbow crease where the arm is folded
        Pt ua = J.elbow[i] - J.shoulder[i], fa = J.wrist[i] - J.elbow[i];
        double cosb = (ua.x * fa.x + ua.y * fa.y) / std::max(1e-6, len(ua) * len(fa));
        if (cosb < 0.8 && !tshirt) {
            Pt d = J.wrist[i] - J.shoulder[i];
            double l = std::max(1e-6, len(d));
            dot(cv, J.elbow[i] + d * (0.9 / l), shift(sl.ramp(int(sl.base)), -2), id);
        }
        if (L.top == Top::Suit) {
            uint8_t cid = cv.part();
            capsule(cv, lerp(J.elbow[i], J.wrist[i], 0.86), J.wrist[i], M.wrist_r * 0.95, M.wrist_r * 0.9, mat(L.under_tone, 1.0),
                    cid, dark);
        } else if (L.top == Top::Robe) {
            uint8_t cid = cv.part();
            capsule(cv, lerp(J.elbow[i], J.wrist[i], 0.8), J.wrist[i], M.wrist_r + 0.6, M.wrist_r + 0.8,
                    mat(L.under_tone, 0.8), cid, dark);
        }
    }

    // --- what the hands hold ---
    Pt fwd_dir(int i) const {
        Pt d = J.wrist[i] - J.elbow[i];
        double l = len(d);
        return l > 1e-6 ? d * (1.0 / l) : Pt{0, 1};
    }

    void rect_item(Pt top_centre, double w, double h, const Mat& m, uint8_t id, double dark) {
        std::vector<Pt> pts = {top_centre + Pt{-w / 2, 0}, top_centre + Pt{w / 2, 0}, top_centre + Pt{w / 2, h},
                               top_centre + Pt{-w / 2, h}};
        blob(cv, pts, m, id, dark, 0.3);
    }

    void held(int i, double dark) {
        const Held what = P.hold[i];
        if (what == Held::None || what == Held::Fist || what == Held::Pocket || what == Held::NewspaperOpen) return;
        const double H = M.H;
        const Pt hd = J.hand[i];
        const uint8_t id = cv.part();
        const int out = side ? f : (i == 0 ? -1 : 1);
        const Mat carry = mat(L.carry_tone, 1.2);
        switch (what) {
        case Held::Briefcase: {
            double w = side ? 0.17 * H : 0.05 * H, h = 0.125 * H;
            Pt top = hd + Pt{0, 0.035 * H};
            rect_item(top, w, h, carry, id, dark);
            // handle, clasp, the seam along the bottom
            seg(cv, top + Pt{-w * 0.25, -0.4}, hd + Pt{-w * 0.2, 0}, shift(carry.ramp(int(carry.base)), -2), id);
            seg(cv, top + Pt{w * 0.25, -0.4}, hd + Pt{w * 0.2, 0}, shift(carry.ramp(int(carry.base)), -2), id);
            if (side) {
                dot(cv, top + Pt{-w * 0.3, 1.5}, ramp::chrome(4), id);
                dot(cv, top + Pt{w * 0.3, 1.5}, ramp::chrome(4), id);
                seg(cv, top + Pt{-w / 2 + 1, 2.5}, top + Pt{w / 2 - 1, 2.5}, shift(carry.ramp(int(carry.base)), -1), id);
            }
            break;
        }
        case Held::Handbag: {
            double w = side ? 0.11 * H : 0.045 * H, h = 0.075 * H;
            Pt top = hd + Pt{0, 0.055 * H};
            std::vector<Pt> pts = {top + Pt{-w * 0.4, 0}, top + Pt{w * 0.4, 0}, top + Pt{w / 2, h}, top + Pt{-w / 2, h}};
            blob(cv, pts, carry, id, dark, 0.3);
            uint8_t strap = shift(carry.ramp(int(carry.base)), -1);
            seg(cv, top + Pt{-w * 0.3, 0}, hd, strap, id);
            seg(cv, top + Pt{w * 0.3, 0}, hd, strap, id);
            dot(cv, top + Pt{0, 1.2}, ramp::paint_yellow(4), id);
            break;
        }
        case Held::ShoppingBag: {
            double w = side ? 0.12 * H : 0.1 * H, h = 0.15 * H;
            Pt top = hd + Pt{0, 0.02 * H};
            // apples showing over the rim
            Mat apple{ramp::paint_red, 3.2, 1.3};
            ball(cv, top + Pt{-w * 0.18, 0.2}, 1.6, 1.5, apple, id, dark);
            ball(cv, top + Pt{w * 0.22, 0.5}, 1.5, 1.4, Mat{ramp::paint_green, 3.4, 1.2}, id, dark);
            uint8_t bid = cv.part();
            rect_item(top + Pt{0, 1.2}, w, h, carry, bid, dark);
            seg(cv, top + Pt{-w / 2 + 1, 2.6}, top + Pt{w / 2 - 1, 2.6}, shift(carry.ramp(int(carry.base)), -1), bid);
            break;
        }
        case Held::Apple:
        case Held::AppleBitten: {
            Pt c = hd + fwd_dir(i) * 0.8 + Pt{0, -1.2};
            ball(cv, c, 1.8, 1.7, Mat{ramp::paint_red, 3.3, 1.3}, id, dark);
            dot(cv, c + Pt{0, -2}, ramp::wood(2), id);
            if (what == Held::AppleBitten) {
                dot(cv, c + Pt{out * 1.0, -0.6}, ramp::cloth_beige(5), id);
                dot(cv, c + Pt{out * 1.0, 0.4}, ramp::cloth_beige(4), id);
            }
            break;
        }
        case Held::Banana:
        case Held::BananaOpen:
        case Held::Peel: {
            Mat yel{ramp::paint_yellow, 3.6, 1.2};
            if (what == Held::Banana) {
                Pt a = hd + Pt{0, 0.5}, b = hd + Pt{out * 1.5, -0.05 * H}, c = hd + Pt{out * 1.0, -0.1 * H};
                capsule(cv, a, b, 1.1, 1.2, yel, id, dark);
                capsule(cv, b, c, 1.2, 0.8, yel, id, dark);
                dot(cv, c + Pt{0, -0.6}, ramp::wood(1), id);
            } else if (what == Held::BananaOpen) {
                Pt a = hd, b = hd + Pt{out * 1.0, -0.075 * H};
                capsule(cv, a, b, 1.1, 0.9, Mat{ramp::cloth_beige, 4.8, 0.8}, id, dark);
                for (int k = -1; k <= 1; ++k)
                    seg(cv, hd + Pt{k * 1.0, 0}, hd + Pt{k * 1.6, 0.045 * H}, yel.ramp(k == 1 ? 2 : 4), id);
            } else {
                for (int k = -1; k <= 1; ++k)
                    seg(cv, hd + Pt{k * 0.8, 0}, hd + Pt{k * 1.7, 0.05 * H}, yel.ramp(k == 1 ? 2 : 4), id);
                dot(cv, hd + Pt{0, -1.5}, ramp::wood(1), id);
            }
            break;
        }
        case Held::Can: {
            // upright in the fist, its top showing above the fingers
            Pt c = hd + Pt{0.0, -1.6};
            std::vector<Pt> pts = {c + Pt{-1.6, -2.6}, c + Pt{1.6, -2.6}, c + Pt{1.6, 2.6}, c + Pt{-1.6, 2.6}};
            blob(cv, pts, Mat{ramp::paint_red, 3.2, 1.0}, id, dark, 0.2);
            seg(cv, c + Pt{-1.2, -2.4}, c + Pt{1.2, -2.4}, ramp::chrome(4), id);
            dot(cv, c + Pt{-0.6, -0.4}, ramp::grey(8), id);
            break;
        }
        case Held::Newspaper: {
            Pt d = fwd_dir(i);
            Pt a = hd + d * -1.0, b = hd + d * (0.1 * H);
            capsule(cv, a, b, 1.5, 1.5, Mat{ramp::grey, 6.8, 0.8}, id, dark);
            dot(cv, lerp(a, b, 0.5), ramp::grey(4), id);
            break;
        }
        case Held::Receiver: {
            // held to the ear; the mouthpiece reaches forward to the chin
            Pt ear = J.head + Pt{-f * 0.2 * M.head_w, 0.05 * M.head_h};
            Pt chin = J.head + Pt{f * 0.35 * M.head_w, 0.75 * M.head_h};
            Mat bl{ramp::grey, 1.6, 1.2};
            capsule(cv, ear, chin, 1.3, 1.3, bl, id, dark);
            ball(cv, ear, 1.6, 1.8, bl, id, dark);
            ball(cv, chin, 1.6, 1.6, bl, id, dark);
            break;
        }
        case Held::Umbrella:
        case Held::Stick: {
            Pt tip{hd.x + out * 0.06 * H, double(ground) + 0.5};
            uint8_t shaft = what == Held::Stick ? L.carry_tone.mid() : ramp::night(2);
            seg(cv, hd, tip, shaft, id);
            if (what == Held::Umbrella)
                capsule(cv, lerp(hd, tip, 0.25), lerp(hd, tip, 0.9), 1.6, 0.6, carry, id, dark);
            // crook handle over the fist
            Mat wood = what == Held::Stick ? carry : Mat{ramp::wood, 2.6, 1.0};
            capsule(cv, hd + Pt{0, -1.0}, hd + Pt{out * 2.2, -1.6}, 0.8, 0.8, wood, id, dark);
            capsule(cv, hd + Pt{out * 2.2, -1.6}, hd + Pt{out * 2.8, 0.4}, 0.8, 0.7, wood, id, dark);
            break;
        }
        case Held::Watch: {
            Pt w = J.wrist[i];
            dot(cv, w, ramp::chrome(5), id);
            dot(cv, w + Pt{out * 0.9, 0}, ramp::chrome(2), id);
            break;
        }
        case Held::Cigarette: {
            Pt d{double(out), -0.3};
            dot(cv, hd + d * 1.5, ramp::grey(7), id);
            dot(cv, hd + d * 2.5, ramp::grey(7), id);
            dot(cv, hd + d * 3.4, ramp::orange(3), id);
            break;
        }
        case Held::Parcel: {
            double w = 0.15 * H, h = 0.11 * H;
            Pt top = hd + Pt{out * w * 0.15, -h * 0.55};
            rect_item(top, w, h, carry, id, dark);
            uint8_t string = ramp::dusk(1);
            seg(cv, top + Pt{0, 0}, top + Pt{0, h - 1}, string, id);
            seg(cv, top + Pt{-w / 2, h * 0.45}, top + Pt{w / 2 - 1, h * 0.45}, string, id);
            break;
        }
        case Held::Basket: {
            double w = side ? 0.16 * H : 0.08 * H, h = 0.085 * H;
            Pt top = hd + Pt{0, 0.06 * H};
            uint8_t rim = shift(carry.ramp(int(carry.base)), -1);
            seg(cv, top + Pt{-w * 0.4, 0}, hd + Pt{0, -1.0}, rim, id);
            seg(cv, top + Pt{w * 0.4, 0}, hd + Pt{0, -1.0}, rim, id);
            std::vector<Pt> pts = {top + Pt{-w / 2, 0}, top + Pt{w / 2, 0}, top + Pt{w * 0.4, h}, top + Pt{-w * 0.4, h}};
            blob(cv, pts, carry, id, dark, 0.3);
            for (int y = int(top.y) + 1; y < int(top.y + h); y += 2)
                for (int x = int(top.x - w / 2) + 1; x < int(top.x + w / 2); ++x)
                    if (((x + y / 2) & 1) && cv.ids.get(x, y) == id) cv.put(x, y, shift(cv.img.get(x, y), -1), id);
            break;
        }
        default:
            break;
        }
    }

    void newspaper_open(double dark) {
        if (P.hold[0] != Held::NewspaperOpen && P.hold[1] != Held::NewspaperOpen) return;
        uint8_t id = cv.part();
        const double H = M.H;
        double l = std::min(J.hand[0].x, J.hand[1].x) - 1.5, r = std::max(J.hand[0].x, J.hand[1].x) + 1.5;
        if (side) {
            // seen from the side the spread paper is a narrow slanted sheet
            l = J.hand[0].x - 1.5, r = J.hand[0].x + 1.5;
        }
        double top = std::min(J.hand[0].y, J.hand[1].y) - 0.15 * H, bot = std::max(J.hand[0].y, J.hand[1].y) + 0.1 * H;
        std::vector<Pt> pts = {{l, top + 1}, {r, top}, {r, bot}, {l, bot + 1}};
        blob(cv, pts, Mat{ramp::grey, 6.9, 0.7}, id, dark, 0.2);
        if (side) return;
        // columns of print, a headline, a picture
        double mid = (l + r) / 2;
        for (int y = int(top) + 2; y < int(bot) - 1; ++y) {
            for (int x = int(l) + 2; x < int(r) - 1; ++x) {
                if (std::abs(x + 0.5 - mid) < 0.8) {
                    cv.put(x, y, ramp::grey(5), id);  // the fold
                    continue;
                }
                if (cv.ids.get(x, y) != id) continue;
                bool headline = y < int(top) + 4 && x < mid - 1;
                bool photo = x > mid + 1.5 && x < r - 3 && y > top + 3 && y < top + 3 + 0.06 * H;
                if (headline) cv.put(x, y, ramp::grey(2), id);
                else if (photo) cv.put(x, y, ramp::grey(3 + ((x + y) & 1)), id);
                else if ((y % 2) == 0 && ((x * 7 + y * 3) % 9) > 1) cv.put(x, y, ramp::grey(5), id);
            }
        }
    }

    // --- the body ---
    void neck() {
        uint8_t id = cv.part();
        Mat skin{ramp::skin, L.skin, 1.3};
        Pt top = J.head + Pt{side ? -f * 0.12 * M.head_w : 0.0, M.head_h * 0.3};
        capsule(cv, J.neck + Pt{0, 1.0}, top, M.head_w * 0.3, M.head_w * 0.3, skin, id, 0.4);
    }

    double hem_fraction() const {
        switch (L.top) {
        case Top::Shirt: return 0.03;
        case Top::Sweater: return 0.07;
        case Top::Jacket: return 0.13;
        case Top::Suit: return 0.17;
        case Top::Anorak: return 0.09;
        case Top::Overalls: case Top::Costume: return 0.0;
        default: return 0.12;
        }
    }

    double long_hem_y() const {
        double kn = (J.knee[0].y + J.knee[1].y) / 2, an = (J.ankle[0].y + J.ankle[1].y) / 2;
        switch (L.top) {
        case Top::Coat: return kn + 0.025 * M.H;
        case Top::LongCoat: return kn + (an - kn) * 0.55;
        case Top::Dress: return kn + 0.01 * M.H;
        case Top::Robe: return std::max(J.ankle[0].y, J.ankle[1].y) + 0.2;
        default: return kn;
        }
    }

    // Polygon of a garment hanging from the hips to screen row hem_y.
    std::vector<Pt> skirt_poly(double top_y_body, double hem_y, double flare) const {
        double lo, hi;
        leg_reach(hem_y, lo, hi);
        std::vector<Pt> out;
        if (side) {
            hi = std::max(hi, 0.45 * M.hip_d), lo = std::min(lo, -0.55 * M.hip_d);
            out.push_back(bp(0.42 * M.waist_d + M.pad * 0.5, top_y_body));
            out.push_back(bp(0.47 * M.hip_d + M.pad * 0.6, 0));
            out.push_back({J.hip.x + f * (hi + flare), hem_y});
            out.push_back({J.hip.x + f * (lo - flare), hem_y});
            out.push_back(bp(-0.57 * M.hip_d - M.pad * 0.6, 0));
            out.push_back(bp(-0.42 * M.waist_d - M.pad * 0.5, top_y_body));
        } else {
            hi = std::max(hi, M.hip_half), lo = std::min(lo, -M.hip_half);
            out.push_back(bp(-M.waist_half, top_y_body));
            out.push_back(bp(-M.hip_half - 0.3, 0));
            out.push_back({J.hip.x + lo - flare, hem_y});
            out.push_back({J.hip.x + hi + flare, hem_y});
            out.push_back(bp(M.hip_half + 0.3, 0));
            out.push_back(bp(M.waist_half, top_y_body));
        }
        return out;
    }

    void darken_line(Pt a, Pt b, uint8_t id_only, int steps = 1) {
        int n = int(std::ceil(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)))) + 1;
        for (int k = 0; k <= n; ++k) {
            Pt p = lerp(a, b, double(k) / n);
            int x = int(std::floor(p.x)), y = int(std::floor(p.y));
            if (cv.ids.get(x, y) == id_only) cv.put(x, y, shift(cv.img.get(x, y), -steps), id_only);
        }
    }

    void torso() {
        const double T = M.torso, H = M.H, cd = M.chest_d, wd = M.waist_d, hd = M.hip_d, pad = M.pad;
        const double yt = -T - 0.036 * H;
        const bool fem = L.sex == Sex::Female;
        // hips and seat: the trousers' top or the skirt
        Mat lower = leg_mat(L, true);
        if (L.bottom == Bottom::Skirt) lower = mat(L.bottom_tone, 1.3);
        const bool skirt = L.bottom == Bottom::Skirt && !long_garment(L.top);
        uint8_t pid = cv.part();
        if (skirt) {
            double hem = (J.knee[0].y + J.knee[1].y) / 2 - (L.age == Age::Teen ? 0.035 : 0.012) * H;
            blob(cv, skirt_poly(-0.34 * T, hem, 1.0), lower, pid, 0, 0.3);
        } else if (side) {
            std::vector<Pt> pelvis = {bp(0.42 * wd, -0.32 * T), bp(0.46 * hd, 0), bp(0.3 * hd, 0.2 * T),
                                      bp(-0.35 * hd, 0.2 * T), bp(-0.57 * hd, 0), bp(-0.42 * wd, -0.34 * T)};
            blob(cv, pelvis, lower, pid, 0, 0.3);
        } else {
            double hh = M.hip_half;
            std::vector<Pt> pelvis = {bp(-M.waist_half * 0.95, -0.32 * T), bp(-hh - 0.3, 0), bp(-hh * 0.85, 0.2 * T),
                                      bp(-0.6, 0.24 * T), bp(0.6, 0.24 * T), bp(hh * 0.85, 0.2 * T), bp(hh + 0.3, 0),
                                      bp(M.waist_half * 0.95, -0.32 * T)};
            blob(cv, pelvis, lower, pid, 0, 0.3);
        }

        // the upper garment
        Mat top = mat(L.top_tone, 1.4);
        uint8_t tid = cv.part();
        std::vector<Pt> poly;
        const double hf = hem_fraction();
        if (side) {
            Pt F0 = bp(0.22 * cd, yt + 0.012 * H), F1 = fem ? bp(0.6 * cd + pad, -0.68 * T) : bp(0.5 * cd + pad, -0.78 * T);
            Pt F2 = bp((L.build > 1.1 ? 0.52 : 0.42) * wd + pad, -0.35 * T), F3 = bp(0.46 * hd + pad * 0.6, 0);
            Pt B0 = bp(-0.3 * cd, yt), S0 = bp(-0.02 * cd, yt - 0.012 * H);
            Pt B1 = bp(-0.5 * cd - pad, -0.8 * T), B2 = bp(-0.4 * wd - pad, -0.38 * T), B3 = bp(-0.56 * hd - pad * 0.6, -0.02 * T);
            poly = {B0, S0, F0, F1, F2, F3};
            if (long_garment(L.top)) {
                std::vector<Pt> sk = skirt_poly(-0.3 * T, long_hem_y(), L.top == Top::Robe ? 2.0 : L.top == Top::LongCoat ? 1.6 : 1.2);
                poly.push_back(sk[2]);
                poly.push_back(sk[3]);
            } else {
                poly.push_back(bp(0.47 * hd + pad, hf * T));
                poly.push_back(bp(-0.57 * hd - pad, hf * T));
            }
            poly.push_back(B3);
            poly.push_back(B2);
            poly.push_back(B1);
        } else {
            const double hs = M.shoulder_half, ws = M.waist_half, hh = M.hip_half;
            auto side_pts = [&](double s) {
                return std::vector<Pt>{bp(s * 0.3 * hs, yt), bp(s * 0.72 * hs, -T + 0.002 * H), bp(s * 0.96 * hs, -T + 0.05 * H),
                                       bp(s * 0.84 * hs, -0.7 * T), bp(s * (ws + (fem ? 0 : 0.3)), -0.36 * T),
                                       bp(s * (hh + pad * 0.4), 0)};
            };
            std::vector<Pt> lft = side_pts(-1), rgt = side_pts(1);
            poly = lft;
            if (long_garment(L.top)) {
                std::vector<Pt> sk = skirt_poly(-0.3 * T, long_hem_y(), L.top == Top::Robe ? 2.0 : 1.2);
                poly.push_back(sk[2]);
                poly.push_back(sk[3]);
            } else {
                poly.push_back(bp(-(hh + pad * 0.6), hf * T));
                poly.push_back(bp(hh + pad * 0.6, hf * T));
            }
            for (int k = int(rgt.size()) - 1; k >= 0; --k) poly.push_back(rgt[k]);
        }
        blob(cv, poly, top, tid, 0, 0.35);
        details(tid, top);
    }

    void details(uint8_t tid, const Mat& top) {
        const double T = M.torso, H = M.H, cd = M.chest_d, wd = M.waist_d, hd = M.hip_d, pad = M.pad;
        const double yt = -T - 0.036 * H;
        const uint8_t under = L.under_tone.mid();
        auto put_if = [&](Pt p, uint8_t c) {
            int x = int(std::floor(p.x)), y = int(std::floor(p.y));
            if (cv.ids.get(x, y) == tid) cv.put(x, y, c, tid);
        };
        if (side) {
            // collar or neckline at the throat
            if (L.top == Top::Suit || L.top == Top::Jacket || L.top == Top::Shirt || L.top == Top::Coat || L.top == Top::Sweater) {
                Pt t = bp(0.2 * cd, yt + 0.02 * H);
                put_if(t, under);
                put_if(t + Pt{double(-f), 0}, under);
                if (L.top != Top::Sweater) put_if(t + Pt{0, 1}, shift(under, -1));
            }
            if (L.tie) {
                Pt a = bp(0.38 * cd + pad, yt + 0.045 * H), b = bp(0.48 * cd + pad - 0.6, -0.45 * T);
                seg(cv, a, b, L.tie_tone.mid(), tid);
            }
            switch (L.top) {
            case Top::Jacket:
            case Top::Suit:
                darken_line(bp(-0.05 * hd, 0.03 * T), bp(0.3 * hd, 0.03 * T), tid);
                darken_line(bp(0.1 * cd, -0.72 * T), bp(0.05 * wd, -0.3 * T), tid);  // the fold under the arm
                break;
            case Top::Anorak:
                for (double k : {0.22, 0.48, 0.74}) darken_line(bp(-0.5 * cd - pad, -k * T), bp(0.5 * cd + pad, -k * T), tid);
                break;
            case Top::Coat:
            case Top::LongCoat:
                for (double k : {0.7, 0.45, 0.2, -0.05}) put_if(bp(0.42 * wd + pad - 1.0, -k * T), shift(L.top_tone.mid(), 2));
                darken_line(bp(-0.45 * wd - pad, -0.33 * T), bp(0.45 * wd + pad, -0.33 * T), tid);
                break;
            case Top::Sweater:
                darken_line(bp(-0.6 * hd - pad, 0.04 * T), bp(0.5 * hd + pad, 0.04 * T), tid);
                break;
            case Top::Shirt:
                break;
            case Top::Dress:
                darken_line(bp(-0.45 * wd - pad, -0.35 * T), bp(0.45 * wd + pad, -0.35 * T), tid);
                break;
            case Top::Overalls:
                seg(cv, bp(-0.1 * cd, yt), bp(0.45 * cd, -0.62 * T), shift(L.top_tone.mid(), -1), tid);
                put_if(bp(0.15 * cd, yt + 0.02 * H), under);
                break;
            case Top::Robe: {
                uint8_t fur = L.under_tone.mid();
                for (int x = -60; x <= 60; ++x)
                    for (int k = 0; k < 2; ++k) {
                        int y = int(std::floor(long_hem_y())) - k;
                        int px = int(std::floor(J.hip.x)) + x;
                        if (cv.ids.get(px, y) == tid) cv.put(px, y, shift(fur, ((px + k) % 3 == 0) ? -1 : 0), tid);
                    }
                seg(cv, bp(-0.45 * wd - pad, -0.3 * T), bp(0.45 * wd + pad, -0.3 * T), fur, tid);
                break;
            }
            case Top::Costume:
                ball(cv, bp(0.3 * cd, -0.45 * T), 0.2 * cd + 1, 0.3 * T, mat(L.under_tone, 0.8), tid);
                ball(cv, bp(-0.62 * hd - pad, -0.05 * T), 2.2, 2.2, mat(L.top_tone, 0.8), tid);
                break;
            }
        } else if (front) {
            const double hs = M.shoulder_half;
            Pt nk = bp(0, yt + 0.5);
            switch (L.top) {
            case Top::Suit:
            case Top::Jacket:
            case Top::Coat:
            case Top::LongCoat: {
                bool suit = L.top == Top::Suit;
                double depth = suit ? 0.5 : L.top == Top::Jacket ? 1.0 : 0.22;
                double w = L.top == Top::Jacket ? 0.42 * hs : 0.34 * hs;
                // the opening shows the shirt or blouse, edged by darker lapels
                for (int y = int(nk.y); y < int(bp(0, -T + depth * T).y); ++y) {
                    double t = (y - nk.y) / std::max(1.0, depth * T);
                    double half = L.top == Top::Jacket ? w * (1.0 - 0.45 * std::min(1.0, t * 2.5)) : w * (1.0 - t);
                    for (int x = int(std::floor(J.hip.x - half)); x <= int(std::floor(J.hip.x + half)); ++x) {
                        if (cv.ids.get(x, y) != tid) continue;
                        bool edge = std::abs(x + 0.5 - J.hip.x) > half - 1.0;
                        cv.put(x, y, edge ? shift(L.top_tone.mid(), -1) : under, tid);
                    }
                }
                if (L.tie) seg(cv, nk + Pt{0, 1}, bp(0, -T + 0.45 * T), L.tie_tone.mid(), tid);
                if (suit || L.top == Top::Coat || L.top == Top::LongCoat) {
                    for (double k : {0.45, 0.25, 0.05}) put_if(bp(0.6, -k * T), shift(L.top_tone.mid(), 2));
                    darken_line(bp(0, -0.5 * T), bp(0, hem_fraction() * T + 0.5), tid);
                }
                if (L.top != Top::Suit) darken_line(bp(-M.waist_half, -0.33 * T), bp(M.waist_half, -0.33 * T), tid);
                break;
            }
            case Top::Anorak:
                darken_line(bp(0, yt + 1), bp(0, hem_fraction() * T), tid);
                for (double k : {0.25, 0.5, 0.75}) darken_line(bp(-hs, -k * T), bp(hs, -k * T), tid);
                put_if(nk + Pt{0, 0.5}, under);
                break;
            case Top::Sweater:
                put_if(nk, under), put_if(nk + Pt{-1, 0}, under), put_if(nk + Pt{1, 0}, under);
                darken_line(bp(-M.hip_half - pad, 0.05 * T), bp(M.hip_half + pad, 0.05 * T), tid);
                break;
            case Top::Shirt:
                put_if(nk + Pt{-1, 0}, shift(L.top_tone.mid(), 1)), put_if(nk + Pt{1, 0}, shift(L.top_tone.mid(), 1));
                for (double k : {0.8, 0.55, 0.3}) put_if(bp(0, -k * T), shift(L.top_tone.mid(), -1));
                break;
            case Top::Dress:
                put_if(nk, ramp::skin(int(L.skin + 0.5))), put_if(nk + Pt{0, 1}, ramp::skin(int(L.skin)));
                darken_line(bp(-M.waist_half, -0.35 * T), bp(M.waist_half, -0.35 * T), tid);
                break;
            case Top::Overalls: {
                // the torso is the shirt; the bib and straps go over it
                for (int y = int(bp(0, -0.7 * T).y); y < int(bp(0, 0).y); ++y)
                    for (int x = int(J.hip.x - 0.55 * hs); x <= int(J.hip.x + 0.55 * hs); ++x)
                        if (cv.ids.get(x, y) == tid) cv.put(x, y, lit(top, (x - J.hip.x) / hs, 0, x, y, 0.1), tid);
                for (int y = int(bp(0, yt).y); y < int(bp(0, -0.7 * T).y); ++y)
                    for (int x = int(J.hip.x - hs); x <= int(J.hip.x + hs); ++x)
                        if (cv.ids.get(x, y) == tid) {
                            double ax = std::abs(x + 0.5 - J.hip.x);
                            bool strap = ax > 0.35 * hs && ax < 0.55 * hs;
                            cv.put(x, y, strap ? shift(L.top_tone.mid(), -1) : lit(mat(L.under_tone, 1.2), (x - J.hip.x) / hs, 0, x, y), tid);
                        }
                break;
            }
            case Top::Robe: {
                uint8_t fur = L.under_tone.mid();
                for (int y = int(bp(0, yt).y); y < int(long_hem_y()) + 1; ++y)
                    for (int x = int(J.hip.x) - 1; x <= int(J.hip.x) + 1; ++x) put_if({x + 0.5, y + 0.5}, shift(fur, (y % 3 == 0) ? -1 : 0));
                int hy = int(std::floor(long_hem_y()));
                for (int x = int(J.hip.x) - 40; x <= int(J.hip.x) + 40; ++x)
                    for (int k = 0; k < 2; ++k) put_if({x + 0.5, hy - k + 0.5}, shift(fur, ((x + k) % 3 == 0) ? -1 : 0));
                darken_line(bp(-M.waist_half, -0.3 * T), bp(M.waist_half, -0.3 * T), tid, 2);
                break;
            }
            case Top::Costume:
                ball(cv, bp(0, -0.42 * T), 0.45 * hs, 0.32 * T, mat(L.under_tone, 0.8), tid);
                break;
            }
        } else {
            // from behind: seams and the coat's vent
            if (L.top == Top::Coat || L.top == Top::LongCoat)
                darken_line(bp(0, -0.1 * T), bp(0, (long_hem_y() - J.hip.y)), tid);
            if (L.top == Top::Jacket || L.top == Top::Suit || L.top == Top::Anorak)
                darken_line(bp(-M.waist_half, -0.33 * T), bp(M.waist_half, -0.33 * T), tid);
        }
    }

    void scarf() {
        if (!L.scarf) return;
        uint8_t id = cv.part();
        Mat m = mat(L.scarf_tone, 1.3);
        ball(cv, J.neck + Pt{0, -0.2}, M.head_w * 0.62, std::max(1.6, M.head_h * 0.16), m, id);
        if (side) capsule(cv, bp(0.25 * M.chest_d, -M.torso), bp(0.45 * M.chest_d, -0.62 * M.torso), 1.3, 1.2, m, id);
        else if (front) capsule(cv, bp(0.25 * M.shoulder_half, -M.torso + 1), bp(0.3 * M.shoulder_half, -0.55 * M.torso), 1.3, 1.2, m, id);
        else capsule(cv, bp(-0.1, -M.torso), bp(-0.2, -0.75 * M.torso), 1.3, 1.1, m, id);
    }

    void rucksack_back() {
        if (!P.worn || L.carry != Carry::Rucksack) return;
        const double T = M.torso, cd = M.chest_d, pad = M.pad;
        if (!side) return;
        uint8_t id = cv.part();
        std::vector<Pt> pts = {bp(-0.3 * cd - pad, -0.95 * T), bp(-0.95 * cd - pad, -0.9 * T), bp(-1.1 * cd - pad, -0.5 * T),
                               bp(-1.0 * cd - pad, -0.22 * T), bp(-0.35 * cd - pad, -0.2 * T)};
        Mat m = mat(L.carry_tone, 1.3);
        blob(cv, pts, m, id, 0, 0.5);
        darken_line(bp(-1.0 * cd - pad, -0.6 * T), bp(-0.55 * cd - pad, -0.6 * T), id);
        dot(cv, bp(-0.8 * cd - pad, -0.62 * T) + Pt{0, 1}, ramp::chrome(4), id);
    }

    void worn_front() {
        if (!P.worn) return;
        const double T = M.torso, cd = M.chest_d, H = M.H;
        const double yt = -T - 0.036 * H;
        if (L.carry == Carry::Rucksack) {
            uint8_t id = cv.part();
            uint8_t c = shift(L.carry_tone.mid(), -1);
            if (side) seg(cv, bp(-0.05 * cd, yt + 0.5), bp(0.38 * cd, -0.62 * T), c, id);
            else if (front) {
                for (int s : {-1, 1}) seg(cv, bp(s * 0.5 * M.shoulder_half, yt + 0.5), bp(s * 0.62 * M.shoulder_half, -0.55 * T), c, id);
            } else {
                std::vector<Pt> pts = {bp(-0.62 * M.shoulder_half, -0.92 * T), bp(0.62 * M.shoulder_half, -0.92 * T),
                                       bp(0.7 * M.shoulder_half, -0.25 * T), bp(-0.7 * M.shoulder_half, -0.25 * T)};
                blob(cv, pts, mat(L.carry_tone, 1.3), id, 0, 0.4);
                darken_line(bp(-0.5 * M.shoulder_half, -0.55 * T), bp(0.5 * M.shoulder_half, -0.55 * T), id);
            }
        }
        if (L.carry == Carry::ShoulderBag) {
            uint8_t id = cv.part();
            Mat m = mat(L.carry_tone, 1.2);
            uint8_t strap = shift(L.carry_tone.mid(), -1);
            Pt bag;
            if (side) {
                seg(cv, bp(0.0, yt + 0.5), bp(-0.35 * M.hip_d, -0.05 * T), strap, id);
                bag = bp(-0.4 * M.hip_d, 0.02 * T);
            } else {
                double s = front ? 1 : -1;
                seg(cv, bp(-s * 0.55 * M.shoulder_half, yt + 0.5), bp(s * (M.hip_half + 0.5), -0.05 * T), strap, id);
                bag = bp(s * (M.hip_half + 1.0), 0.02 * T);
            }
            double w = side ? 0.11 * H : 0.06 * H, h = 0.08 * H;
            rect_item(bag, w, h, m, id, 0);
            darken_line(bag + Pt{-w / 2, 2.0}, bag + Pt{w / 2, 2.0}, id);
        }
    }

    void head() {
        head::HeadSpec hs;
        hs.c = J.head;
        hs.rx = M.head_w / 2;
        hs.ry = M.head_h / 2;
        hs.mouth = P.mouth;
        hs.blink = P.blink;
        if (side) {
            hs.view = P.look == 1 ? View::Front : View::Side;
            hs.facing = f;
        } else {
            hs.view = back ? View::Back : (P.look != 0 ? View::Side : View::Front);
            hs.facing = P.look;
        }
        head::paint_head(cv, L, hs);
    }
};

// Lowest row the legs and shoes of a placed figure paint.
int lowest_row(const Look& L, const Pose& P, const Measures& M, const Joints& J) {
    int minx = 1 << 20, maxx = -(1 << 20), miny = 1 << 20, maxy = -(1 << 20);
    for (int i = 0; i < 2; ++i)
        for (int k = 0; k < J.foot_n[i]; ++k) {
            minx = std::min(minx, int(J.foot_pts[i][k].x)), maxx = std::max(maxx, int(J.foot_pts[i][k].x));
            miny = std::min(miny, int(J.foot_pts[i][k].y)), maxy = std::max(maxy, int(J.foot_pts[i][k].y));
        }
    int x0 = minx - 40, y0 = miny - 60;
    Canvas cv(maxx - minx + 80, maxy - miny + 80);
    Joints j = J;
    auto mv = [&](Pt& p) { p = p - Pt{double(x0), double(y0)}; };
    mv(j.hip);
    for (int i = 0; i < 2; ++i) {
        mv(j.knee[i]), mv(j.ankle[i]);
        for (int k = 0; k < j.foot_n[i]; ++k) mv(j.foot_pts[i][k]);
    }
    Painter p(cv, L, P, M, j, 0);
    for (int i = 0; i < 2; ++i) {
        Mat m{ramp::grey, 3, 1};
        capsule(cv, j.knee[i], j.ankle[i], M.calf_r, M.ankle_r, m, 1);
        std::vector<Pt> pts(j.foot_pts[i], j.foot_pts[i] + j.foot_n[i]);
        blob(cv, pts, m, 1);
    }
    for (int y = cv.img.h - 1; y >= 0; --y)
        for (int x = 0; x < cv.img.w; ++x)
            if (cv.img.get(x, y) != KEY) return y + y0;
    return 0;
}

void shift_joints(Joints& j, double dy) {
    Pt d{0, dy};
    j.hip = j.hip + d, j.neck = j.neck + d, j.head = j.head + d;
    for (int i = 0; i < 2; ++i) {
        j.shoulder[i] = j.shoulder[i] + d, j.elbow[i] = j.elbow[i] + d, j.wrist[i] = j.wrist[i] + d;
        j.hand[i] = j.hand[i] + d, j.knee[i] = j.knee[i] + d, j.ankle[i] = j.ankle[i] + d;
        for (int k = 0; k < j.foot_n[i]; ++k) j.foot_pts[i][k] = j.foot_pts[i][k] + d;
    }
}

Joints stand(const Look& L, const Pose& P, const Measures& M, double ax, int ground) {
    Joints j = body::place(L, M, P, ax, ground - M.leg + P.drop);
    int low = lowest_row(L, P, M, j);
    shift_joints(j, double(ground - low));
    return j;
}

Rig to_rig(const Joints& j, const Measures& m, const Pose& p, int ground) {
    Rig r;
    r.hip = j.hip;
    r.neck = j.neck;
    r.head = j.head;
    r.chest = body::body_pt(j, p, 0, -0.7 * m.torso);
    r.head_rx = m.head_w / 2;
    r.head_ry = m.head_h / 2;
    for (int i = 0; i < 2; ++i) {
        r.shoulder[i] = j.shoulder[i], r.elbow[i] = j.elbow[i], r.hand[i] = j.hand[i];
        r.knee[i] = j.knee[i], r.ankle[i] = j.ankle[i];
    }
    r.ground = ground;
    r.facing = p.view == View::Side ? p.facing : 1;
    return r;
}

}  // namespace

Rig rig_person(const Look& look, const Pose& pose, double ax, int ground) {
    Measures m = body::measure(look);
    return to_rig(stand(look, pose, m, ax, ground), m, pose, ground);
}

Rig paint_person(Image& img, const Look& L, const Pose& P, double ax, int ground, const Extra& extra) {
    const Measures M = body::measure(L);
    const Joints J = stand(L, P, M, ax, ground);
    const Rig rig = to_rig(J, M, P, ground);
    Canvas cv(img.w, img.h);
    Painter p(cv, L, P, M, J, ground);
    auto call = [&](Layer layer) {
        if (extra) extra(cv, rig, layer);
    };
    call(Layer::Behind);
    if (p.side) {
        const double far = 0.9;
        p.arm(1, far);
        p.held(1, far);
        p.hand(1, far);
        p.rucksack_back();
        p.leg(1, 0.7);
        p.leg(0, 0);
        call(Layer::Middle);
        p.neck();
        p.torso();
        p.worn_front();
        p.scarf();
        p.head();
        p.newspaper_open(0);
        p.arm(0, 0);
        p.held(0, 0);
        p.hand(0, 0);
    } else {
        p.leg(0, 0);
        p.leg(1, 0.2);
        if (p.back) {
            // from behind the arms hang in front of nothing but the coat's sides
            p.arm(0, 0.3), p.hand(0, 0.3);
            p.arm(1, 0.5), p.hand(1, 0.5);
        }
        call(Layer::Middle);
        p.neck();
        p.torso();
        p.worn_front();
        p.scarf();
        p.head();
        if (!p.back) {
            p.newspaper_open(0);
            for (int i = 0; i < 2; ++i) {
                p.arm(i, i == 1 ? 0.3 : 0);
                p.held(i, i == 1 ? 0.3 : 0);
                p.hand(i, i == 1 ? 0.3 : 0);
            }
        } else {
            p.held(0, 0.3), p.held(1, 0.5);
        }
    }
    call(Layer::Front);
    outline(cv);
    img.paste(cv.img, 0, 0);
    return rig;
}

Pose walk_pose(int frame, int facing, double stride, double height) {
    Pose p;
    p.view = View::Side;
    p.facing = facing;
    p.lean = 2.5;
    double leg = 0.49 * height;
    double s = std::asin(std::clamp(stride / 2.0 / leg, 0.0, 0.8)) * 180.0 / kPi;
    double a = 0.9 * s + 6.0;
    int lead = (frame & 2) ? 1 : 0;  // which leg is ahead at contact / supports at passing
    int other = 1 - lead;
    if ((frame & 1) == 0) {
        p.leg[lead] = {s, 3};
        p.toe[lead] = -12;
        p.leg[other] = {-s, 14};
        p.toe[other] = 24;
        p.arm[lead] = {-a, 8};
        p.arm[other] = {a, 22};
    } else {
        p.leg[lead] = {-2, 3};
        p.toe[lead] = 0;
        p.leg[other] = {s * 0.75 + 4, 58};
        p.toe[other] = 30;
        p.arm[lead] = {3, 12};
        p.arm[other] = {-3, 12};
    }
    return p;
}

Pose stand_pose(int facing) {
    Pose p;
    p.view = View::Side;
    p.facing = facing;
    p.leg[0] = {3, 2};
    p.leg[1] = {-3, 2};
    p.arm[0] = {2, 8};
    p.arm[1] = {-2, 10};
    return p;
}

Pose front_pose() {
    Pose p;
    p.view = View::Front;
    p.leg[0] = {2.5, 0};
    p.leg[1] = {2.5, 0};
    p.arm[0] = {7, 6};
    p.arm[1] = {7, 6};
    return p;
}

Pose sit_pose(int facing) {
    Pose p = stand_pose(facing);
    p.leg[0] = {86, 88};
    p.leg[1] = {82, 84};
    p.arm[0] = {18, 45};
    p.arm[1] = {14, 45};
    p.lean = -3;
    return p;
}

Pose turn_pose(int from, int to) {
    Pose p = front_pose();
    p.look = to;
    p.lean = 0;
    p.leg[0] = {from < 0 ? 5.0 : 1.0, 4};
    p.leg[1] = {from < 0 ? 1.0 : 5.0, 4};
    return p;
}

Look winter_dress(Look l) {
    l.top = Top::Coat;
    l.scarf = true;
    if (l.hat == Hat::None) l.hat = Hat::WoolHat;
    if (l.bottom == Bottom::Skirt) l.legs_tone = {ramp::night, 1.6};
    return l;
}

}  // namespace art::figures
