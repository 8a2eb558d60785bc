#include "figures/figures.h"

namespace art::figures {

void add_waiting_passenger_sheets(std::vector<Picture>&) {}

}  // namespace art::figures
