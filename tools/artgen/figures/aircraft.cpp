#include "figures/figures.h"

namespace art::figures {

void add_aircraft_pictures(std::vector<Picture>&) {}

}  // namespace art::figures
