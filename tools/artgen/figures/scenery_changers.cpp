#include "figures/figures.h"

namespace art::figures {

void add_scenery_changer_sheets(std::vector<Picture>&) {}

}  // namespace art::figures
