// What flies over the street by day (a plane towing a banner, balloons, birds) and the window
// lights that change at night. Both draw straight onto the window, not into the stage.
#pragma once

// Starts a flying object at the right edge of the window; nothing flies if a picture is missing.
void StartAircraft();
// Moves the flying object one tick and shows it over the backdrop.
void StepAircraft();
// Frees the flying object's pictures and work surface.
void ReleaseAircraft();
// Lights a different set of windows in one house of the first street.
void LightsFlicker();
