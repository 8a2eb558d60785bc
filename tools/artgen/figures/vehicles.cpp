#include <algorithm>

#include "figures/figures.h"
#include "figures/vehicle_sheets.h"

namespace art::figures {

void add_vehicle_sheets(std::vector<Picture>& out) {
    std::vector<Picture> sheets;
    vehicles::add_bus_sheets(sheets);
    vehicles::add_car_sheets(sheets);
    vehicles::add_truck_sheets(sheets);
    // by name, so the contact sheets read in figure order
    std::stable_sort(sheets.begin(), sheets.end(), [](const Picture& a, const Picture& b) { return a.name < b.name; });
    for (Picture& p : sheets) out.push_back(std::move(p));
}

}  // namespace art::figures
