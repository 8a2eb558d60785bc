// Proportions of a cast look and the placement of its joints for a pose.
#pragma once
#include "figures/person_paint.h"

namespace art::figures::body {

using paint::Mat;

struct Measures {
    double H;                                  // sole to crown
    double head_h, head_w;                     // head box
    double leg, thigh, shin, ankle_h, foot;    // leg: hip joint to sole
    double torso, neck;                        // hip joint to shoulder joint; shoulder joint to chin
    double upper_arm, forearm, hand_r;
    double thigh_r, knee_r, calf_r, ankle_r;   // radii, with clothing
    double uarm_r, elbow_r, wrist_r;
    double shoulder_half, waist_half, hip_half;  // front view, half widths
    double chest_d, waist_d, hip_d;            // side view depths
    double pad;                                // thickness of the upper garment
};

Measures measure(const Look& l);

// Joint positions before the figure is stood on its ground row.
struct Joints {
    Pt hip, shoulder[2], elbow[2], wrist[2], hand[2], knee[2], ankle[2];
    Pt neck, head;      // base of the neck, centre of the head
    double lean;        // degrees, screen rotation of the torso (side view: signed by facing)
    Pt foot_pts[2][6];  // shoe outline (side view) or sole (front view)
    int foot_n[2];
};

Joints place(const Look& l, const Measures& m, const Pose& p, double ax, double hip_y);

// Torso rotation helper: a point given in the body's own frame (x forward,
// y down, origin at the hip joint) in screen coordinates.
Pt body_pt(const Joints& j, const Pose& p, double x, double y);

}  // namespace art::figures::body
