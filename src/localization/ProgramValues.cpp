#include "localization/ProgramValues.h"

namespace vesperon {

ProgramValues &programValues() {
    static ProgramValues values;
    return values;
}

} // namespace vesperon
