// The compound emission of a unit slot: what a trace compound leaving with a slot's coal, oil
// and gas amounts to, and the combined emission modification factor (outlet over inlet) of the
// slot's control devices for each fuel.
#pragma once
#include <array>
#include <cstdint>

namespace brasket {

struct App;

// One unit slot of the compound emission.
struct fuelslotrec {
    std::int16_t datarecord = 0;  // record of the plant description file (the plant editor reads it)
    std::int16_t spare1 = 0, spare2 = 0;
    float coalamount = 0;
    std::int16_t devicelistno = 0;  // position of the slot's control configuration in the device list
    std::int16_t pmcode = 0;
    std::int16_t so2code = 0;
    float basis1 = 0, basis2 = 0;  // with basis3, the divisor of the national emission rate
    float oilamount = 0;
    float gasamount = 0;
    float spare3 = 0;
    float basis3 = 0;
    std::int16_t spare4 = 0;
    // Device codes (rows of the device factor table) by stage and fuel, stage-major: stage 1
    // coal, oil, gas; stage 2 coal, oil, gas; stage 3 coal, oil, gas.
    std::array<std::int16_t, 9> device{};
    float spare5 = 0;
    std::int16_t stagedevice(int stage, int fuel) const { return device[static_cast<std::size_t>((stage - 1) * 3 + fuel)]; }
};

// The emission modification factor of one device for compounds 0..150.
struct devicefactorrec {
    std::array<float, 151> factor{};
};

enum SlotFuel { slotcoal = 0, slotoil = 1, slotgas = 2 };

// The amounts of the compound that leave the slot with its coal, oil and gas; also sets the
// slot factors coalslotfactor, oilslotfactor and gasslotfactor of the App. A slot, device code
// or compound outside its table reads as zero.
void compoundemission(App& app, long slot, long compound, double& coal, double& oil, double& gas);

}  // namespace brasket
