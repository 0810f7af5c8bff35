// The emission modification factors (outlet over inlet, per mercury form and total) that a
// unit's SO2 device and particulate device apply, with the device type each is modelled as
// and the short explanations the reports print.
#pragma once
#include <string>

#include "data/workset.h"

namespace brasket {

// Four factors of one device: particulate, oxidized, elemental mercury and total.
struct DeviceFactors {
    float part = 1, ox = 1, elem = 1, total = 1;
};

// The SO2 device type that an SO2 and particulate code pair is modelled as, and its factors
// from the SO2 column of `emfactor`. A type whose factor is unity is modelled as type 3 with
// all four factors 1 and `unitymessage` set. Both messages start empty.
void so2modeledas(const Workset& ws, long so2code, long pmcode, DeviceFactors& factors, long& modelledcode,
                  std::string& unitymessage, std::string& rulemessage);

// The particulate device's factors: composite devices are the products of their component rows
// of the particulate column; where the SO2 device's factor already covers the capture (and for
// no emission control) the device is modelled as code 15 with all four factors 1. Component
// rows not used are 0. Both messages start empty.
void pmcomposite(const Workset& ws, long so2code, long pmcode, DeviceFactors& factors, long& modelledcode,
                 long& first, long& second, long& third, std::string& message, std::string& secondmessage);

// The factors of one row of `emfactor` (column 0 furnace and NOx types, 1 SO2 devices,
// 2 particulate devices). A code outside the table has unity factors.
DeviceFactors devicerow(const Workset& ws, long code, int column);

}  // namespace brasket
