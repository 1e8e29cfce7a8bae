#pragma once

#include "Model/Health/TessarinHealthCheckSnapshot.h"

namespace tessarin {

// Where the health window reads the checks from.
class TessarinHealthStatusProviding {
public:
    virtual ~TessarinHealthStatusProviding() = default;
    virtual TessarinHealthCheckSnapshot snapshot() const = 0;
};

} // namespace tessarin
