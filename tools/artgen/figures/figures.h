// Sprite sheets of the moving figures: people and animals, the bus and the road vehicles.
#pragma once
#include <vector>

#include "catalogue.h"

namespace art::figures {

// Each adds its family's sheets (and, for people, the bus-window faces) to the catalogue.
void add_vehicle_sheets(std::vector<Picture>& out);
void add_person_sheets(std::vector<Picture>& out);
void add_aircraft_pictures(std::vector<Picture>& out);
void add_waiting_passenger_sheets(std::vector<Picture>& out);
void add_scenery_changer_sheets(std::vector<Picture>& out);
void add_holiday_visitor_sheets(std::vector<Picture>& out);
void add_day_passer_sheets(std::vector<Picture>& out);
void add_stroller_sheets(std::vector<Picture>& out);

}  // namespace art::figures
