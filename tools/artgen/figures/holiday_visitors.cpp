#include "figures/figures.h"

namespace art::figures {

void add_holiday_visitor_sheets(std::vector<Picture>&) {}

}  // namespace art::figures
