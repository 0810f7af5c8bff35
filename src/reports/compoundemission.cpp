#include "reports/compoundemission.h"

#include "app.h"

namespace brasket {

namespace {

constexpr long lastcompound = 150;  // compounds with a factor in the device factor table

// The factor of device d for the compound; a device or compound outside the table reads as 0.
double devicefactor(const App& app, long d, long compound) {
    if (!decltype(app.devicefactors)::inbounds(d) || compound < 0 || compound > lastcompound) return 0;
    return app.devicefactors(d).factor[static_cast<std::size_t>(compound)];
}

}  // namespace

void compoundemission(App& app, long slot, long compound, double& coal, double& oil, double& gas) {
    static const fuelslotrec none{};
    const fuelslotrec& s = decltype(app.fuelslots)::inbounds(slot) ? app.fuelslots(slot) : none;
    auto f = [&](int stage, int fuel) { return devicefactor(app, s.stagedevice(stage, fuel), compound); };

    coal = 0;
    double fc2 = f(2, slotcoal), fo2 = f(2, slotoil), fg2 = f(2, slotgas);
    double fc3 = f(3, slotcoal), fo3 = f(3, slotoil), fg3 = f(3, slotgas);
    app.coalslotfactor = 1;
    app.oilslotfactor = 1;
    app.gasslotfactor = 1;
    if (s.coalamount > 0) {
        // Tons burned times 908 (the calculation's kilograms a ton, not 907.2) times 0.0001, in thousands.
        coal = s.coalamount * 908 * 0.0001 / 1000;
        double fc1 = f(1, slotcoal);
        coal *= fc1;
        app.coalslotfactor = fc1;
    }
    // Oil and gas burned leave no compound; their later stages then count as passing all.
    oil = 0;
    if (s.oilamount > 0) fo2 = fo3 = 1;
    gas = 0;
    if (s.gasamount > 0) fg2 = fg3 = 1;
    coal *= fc2 * fc3;
    oil *= fo2 * fo3;
    gas *= fg2 * fg3;
    app.coalslotfactor *= fc2 * fc3;
    app.oilslotfactor *= fo2 * fo3;
    app.gasslotfactor *= fg2 * fg3;
}

}  // namespace brasket
