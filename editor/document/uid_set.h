// Sets of object uids, passed between the document's operations.
#pragma once

#include <cstdint>
#include <set>

using VyUidSet = std::set<int32_t>;
