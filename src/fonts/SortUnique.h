// Puts the records of a rebuild into the font order in one go.
#pragma once

#include "fonts/FaceNameOrder.h"
#include "fonts/LogFont.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace gvt {

// Reorders records given in the order they arrived into exactly the list that
// inserting them one by one at the first position not less than each would
// give: among records that compare equal in the font order the one that came
// last stands first, and a record equal to one that came before it in its run
// of ties is dropped.
//
// The face names are compared only between distinct names that `order` has
// not met before, and hardly at all when they come in order; the rest is a
// sort on integers. So the cost is O(n log n) whatever the order of arrival,
// and close to linear when the faces come sorted.
void SortUnique(std::vector<boost::shared_ptr<CLogFontW>>& records, CFaceNameOrder& order);
// With names met for this call only.
void SortUnique(std::vector<boost::shared_ptr<CLogFontW>>& records);

}  // namespace gvt
