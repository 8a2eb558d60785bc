// The road vehicles' and the bus's sheets, one function per group.
#pragma once
#include <vector>

#include "catalogue.h"

namespace art::vehicles {

void add_car_sheets(std::vector<Picture>& out);    // 80, 82, 86, 87, 88, 90, 91, 92, 96, 98
void add_truck_sheets(std::vector<Picture>& out);  // 81, 83, 84, 85, 89, 93, 94, 95, 97, 99
void add_bus_sheets(std::vector<Picture>& out);    // 70

}  // namespace art::vehicles
