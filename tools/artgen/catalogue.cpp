#include "catalogue.h"

#include <cstdio>

#include "figures/figures.h"
#include "scenes/board.h"
#include "scenes/fixtures.h"
#include "scenes/street.h"
#include "scenes/towns.h"

namespace art {

namespace {
std::string name2(const char* pattern, int a, int b = 0, int c = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, a, b, c);
    return buf;
}
}  // namespace

std::vector<Picture> build_catalogue() {
    std::vector<Picture> out;
    auto add = [&](std::string name, const char* family, Image img, BmpFormat f = BmpFormat::Rle8) {
        out.push_back({std::move(name), family, std::move(img), f});
    };

    // Backgrounds: timeOfDay 1 day / 2 night, season 1 normal / 2 winter.
    Image day = street::paint(false, false);
    add("HG01_01_01", "street", day);
    add("HG01_01_02", "street", street::paint(false, true));
    add("HG01_02_01", "street", street::paint(true, false));
    add("HG01_02_02", "street", street::paint(true, true));

    add("HG01", "previews", scale_down(day, towns::kWidth, towns::kHeight));
    for (int b = 2; b <= 4; ++b) add(name2("HG%02d", b), "previews", towns::paint_town(b));

    for (int t = 1; t <= 2; ++t) add(name2("WERBEFL_%02d", t), "board", board::paint_board(t == 2));
    for (int t = 1; t <= 2; ++t)
        for (int m = 1; m <= 8; ++m) add(name2("MOTIV%02d_%02d", t, m), "motives", board::paint_motive(m, t == 2));

    for (int t = 1; t <= 2; ++t) add(name2("SCHILD_%02d", t), "sign", fixtures::paint_sign(t == 2));
    for (int s = 0; s <= 3; ++s) add(name2("UHR_%02d", s), "clock", fixtures::paint_clock_strip(s));

    add("FARBEN", "notices", fixtures::paint_notice("Dieser Bildschirmschoner benötigt min. 256 Farben", 416, 32),
        BmpFormat::Raw8);
    add("SPEICHER", "notices", fixtures::paint_notice("Nicht genug freier Arbeitsspeicher !", 380, 38), BmpFormat::Raw8);
    add("BUS", "setup", fixtures::paint_bus(), BmpFormat::Raw8);
    add("LOGO", "setup", fixtures::paint_logo(), BmpFormat::Mono);

    // Light patches: the night picture of the season with other windows lit.
    for (int season = 1; season <= 2; ++season)
        for (int w = 0; w < 4; ++w)
            for (int v = 0; v < 3; ++v) {
                Image night = street::paint(true, season == 2, street::patch_lights(season == 2, w, v));
                add(name2("LI01_%02d_%02d_%02d", season, w, v), "lights", night.crop(street::kPatch[w]));
            }

    add("FIG22_T01", "street", day.crop({0, street::kSweptTop, street::kWidth, street::kSweptBottom - street::kSweptTop}));

    figures::add_vehicle_sheets(out);
    figures::add_person_sheets(out);
    figures::add_aircraft_pictures(out);
    figures::add_waiting_passenger_sheets(out);
    figures::add_scenery_changer_sheets(out);
    figures::add_holiday_visitor_sheets(out);
    figures::add_day_passer_sheets(out);
    figures::add_stroller_sheets(out);
    return out;
}

}  // namespace art
