#include "figures/person_body.h"

#include <algorithm>

namespace art::figures::body {

using namespace paint;

Measures measure(const Look& l) {
    Measures m{};
    const double H = l.height;
    const double b = l.build;
    m.H = H;
    double shoulder_h;
    switch (l.age) {
    case Age::Child:
        m.head_h = 0.175 * H, m.leg = 0.445 * H, shoulder_h = 0.775 * H;
        break;
    case Age::Teen:
        m.head_h = 0.148 * H, m.leg = 0.48 * H, shoulder_h = 0.805 * H;
        break;
    default:
        m.head_h = 0.136 * H, m.leg = 0.49 * H, shoulder_h = 0.815 * H;
        break;
    }
    m.head_w = m.head_h * (l.age == Age::Child ? 0.86 : 0.8);
    m.torso = shoulder_h - m.leg;
    m.neck = std::max(1.0, H - m.head_h - shoulder_h - 0.02 * H);
    m.ankle_h = 0.036 * H;
    m.thigh = 0.52 * m.leg;
    m.shin = m.leg - m.thigh - m.ankle_h;
    m.foot = 0.125 * H;
    m.upper_arm = 0.182 * H;
    m.forearm = 0.148 * H;
    m.hand_r = std::max(1.5, 0.026 * H);

    switch (l.top) {
    case Top::Shirt: case Top::Dress: m.pad = 0.2; break;
    case Top::Sweater: case Top::Overalls: m.pad = 0.5; break;
    case Top::Jacket: case Top::Suit: m.pad = 0.7; break;
    case Top::Coat: case Top::LongCoat: m.pad = 1.0; break;
    case Top::Anorak: m.pad = 1.0; break;
    case Top::Robe: m.pad = 1.3; break;
    case Top::Costume: m.pad = 1.6; break;
    }
    const double kid = l.age == Age::Child ? 1.08 : 1.0;
    const double fem = l.sex == Sex::Female ? 1.0 : 0.0;
    const double loose = (l.bottom == Bottom::Trousers || l.bottom == Bottom::Jeans || l.top == Top::Overalls ||
                          l.top == Top::Costume || l.top == Top::Robe)
                             ? 0.35
                             : -0.1;
    m.thigh_r = 0.047 * H * b * kid + loose;
    m.knee_r = 0.033 * H * b * kid + loose * 0.8;
    m.calf_r = 0.033 * H * b * kid + loose * 0.8;
    m.ankle_r = 0.021 * H * kid + loose * 0.6;
    m.uarm_r = 0.03 * H * b * kid + m.pad * 0.7;
    m.elbow_r = 0.025 * H * b * kid + m.pad * 0.6;
    m.wrist_r = 0.018 * H * kid + m.pad * 0.5;
    m.shoulder_half = (0.125 - 0.017 * fem) * H * b * kid + m.pad;
    m.waist_half = (0.08 - 0.01 * fem) * H * b * std::sqrt(b) * kid + m.pad;
    m.hip_half = (0.093 + 0.012 * fem) * H * b * kid + m.pad * 0.6;
    m.chest_d = (0.14 + 0.01 * fem) * H * b * kid;
    m.waist_d = 0.12 * H * b * std::sqrt(b) * kid;
    m.hip_d = (0.135 + 0.01 * fem) * H * b * kid;
    return m;
}

Pt body_pt(const Joints& j, const Pose& p, double x, double y) {
    double c = std::cos(rad(j.lean)), s = std::sin(rad(j.lean));
    double xr = x * c - y * s, yr = x * s + y * c;
    int f = p.view == View::Side ? p.facing : 1;
    return {j.hip.x + f * xr, j.hip.y + yr};
}

Joints place(const Look& l, const Measures& m, const Pose& p, double ax, double hip_y) {
    Joints j{};
    const bool side = p.view == View::Side;
    const int f = side ? p.facing : 1;
    j.hip = {ax, hip_y};
    j.lean = p.lean + (side && l.age == Age::Old ? 4.0 : 0.0);

    for (int i = 0; i < 2; ++i) {
        const Limb& lg = p.leg[i];
        Pt top = j.hip;
        double a1, a2, thigh = m.thigh, shin = m.shin;
        if (side) {
            a1 = f * lg.swing;
            a2 = f * (lg.swing - lg.bend);
        } else {
            double out = i == 0 ? -1 : 1;
            top.x += out * m.hip_half * 0.5;
            a1 = out * lg.swing;
            a2 = a1;
            shin *= std::cos(rad(std::min(80.0, lg.bend)));
            thigh *= std::cos(rad(std::min(80.0, lg.bend * 0.5)));
        }
        j.knee[i] = top + dir(a1) * thigh;
        j.ankle[i] = j.knee[i] + dir(a2) * shin;
        const Pt A = j.ankle[i];
        const double ah = m.ankle_h, fl = m.foot;
        if (side) {
            double pt = rad(p.toe[i]);
            Pt fwd{f * std::cos(pt), std::sin(pt)};
            Pt down{-f * std::sin(pt), std::cos(pt)};
            auto at = [&](double a, double d) { return A + fwd * (a * fl) + down * (d * ah); };
            Pt* q = j.foot_pts[i];
            q[0] = at(-0.27, -0.2);
            q[1] = at(-0.3, 1.0);
            q[2] = at(0.7, 1.0);
            q[3] = at(0.8, 0.45);
            q[4] = at(0.5, -0.05);
            q[5] = at(0.12, -0.55);
            j.foot_n[i] = 6;
        } else {
            double out = i == 0 ? -1 : 1;
            double w = m.ankle_r * 1.7 + 0.8;
            Pt c = A + Pt{out * 0.6, ah * 0.55};
            Pt* q = j.foot_pts[i];
            q[0] = c + Pt{-w, -ah * 0.6};
            q[1] = c + Pt{w, -ah * 0.6};
            q[2] = c + Pt{w + 0.3 * out, ah * 0.3};
            q[3] = c + Pt{w * 0.6 + 0.4 * out, ah * 0.5};
            q[4] = c + Pt{-w * 0.6 + 0.4 * out, ah * 0.5};
            q[5] = c + Pt{-w + 0.3 * out, ah * 0.3};
            j.foot_n[i] = 6;
        }
    }

    const Pt sh = body_pt(j, p, 0, -m.torso);
    j.neck = body_pt(j, p, side ? 0.04 * m.chest_d : 0, -m.torso - 0.02 * m.H);
    for (int i = 0; i < 2; ++i) {
        const Limb& am = p.arm[i];
        double a1, a2;
        if (side) {
            j.shoulder[i] = sh + Pt{i == 1 ? -f * 0.6 : 0.0, i == 1 ? -0.4 : 0.0};
            a1 = f * am.swing;
            a2 = f * (am.swing + am.bend);
        } else {
            double out = i == 0 ? -1 : 1;
            j.shoulder[i] = body_pt(j, p, out * (m.shoulder_half - m.uarm_r * 0.6), -m.torso + 0.04 * m.H);
            a1 = out * am.swing;
            a2 = out * (am.swing - am.bend);
        }
        j.elbow[i] = j.shoulder[i] + dir(a1) * m.upper_arm;
        j.wrist[i] = j.elbow[i] + dir(a2) * m.forearm;
        j.hand[i] = j.wrist[i] + dir(a2) * (m.hand_r * 0.9);
        if (p.reach[i]) {
            Pt target = j.neck + Pt{f * p.hand_at[i].x * m.H, p.hand_at[i].y * m.H};
            const Pt S = j.shoulder[i];
            // an arm raised to the head points its elbow at the viewer (from
            // the front) or out to the side (in profile): it looks shorter
            // (in profile the same happens sideways, out of the picture plane)
            const double a = target.y < S.y + 0.2 * m.upper_arm ? m.upper_arm * 0.62 : m.upper_arm;
            const double b = m.forearm + m.hand_r * 0.9;
            Pt d = target - S;
            double dist = std::clamp(len(d), std::abs(a - b) + 0.05, a + b - 0.05);
            double base = std::atan2(d.x, d.y);  // our angles: from straight down towards +x
            double alpha = std::acos(std::clamp((a * a + dist * dist - b * b) / (2 * a * dist), -1.0, 1.0));
            // of the two elbows pick the one that hangs lower and, seen from
            // the front, further out (side view: further back)
            double best = -1e9;
            Pt elbow{};
            // a hand raised to the head leads with the elbow forward, a hand
            // at the chest tucks it back
            double out = side ? (target.y < S.y + 0.3 * a ? f : -f) : (i == 0 ? -1.0 : 1.0);
            for (int sgn : {-1, 1}) {
                double ang = base + sgn * alpha;
                Pt e = S + Pt{std::sin(ang), std::cos(ang)} * a;
                double score = e.y + 0.6 * out * e.x;
                if (score > best) best = score, elbow = e;
            }
            if (!side) {
                // From the front a forearm pointing at the viewer looks short:
                // let the elbow hang by the side when the hand is near it.
                Pt hang = S + Pt{out * 1.2, a * 0.88};
                if (len(target - hang) <= b && target.y < hang.y) elbow = hang;
            }
            Pt fd = target - elbow;
            double fl = std::max(1e-6, len(fd));
            Pt u = fd * (1.0 / fl);
            j.elbow[i] = elbow;
            j.hand[i] = elbow + u * std::min(fl, b);
            j.wrist[i] = j.hand[i] - u * (m.hand_r * 0.9);
        }
    }
    double forward = side ? f * (0.12 * m.head_w + std::sin(rad(p.nod)) * 1.5) : 0.0;
    j.head = j.neck + Pt{forward + (side ? f * std::sin(rad(j.lean)) * 2.0 : 0.0), -(m.neck + m.head_h * 0.5)};
    return j;
}

}  // namespace art::figures::body
