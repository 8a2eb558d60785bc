#include "figures/figures.h"

namespace art::figures {

void add_vehicle_sheets(std::vector<Picture>&) {}

}  // namespace art::figures
