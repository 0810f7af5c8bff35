// Combustion concentration ranges: the lowest positive and the highest measured value of
// each trace compound in fuel, oil or combustion gas, from a fixed-column export.
#include <algorithm>
#include <string>
#include <vector>

#include "app.h"
#include "common/numtext.h"
#include "common/textutil.h"
#include "import/compounddata.h"
#include "import/importconduct.h"

namespace brasket {

namespace {
constexpr long maxvalues = 30;  // values kept per compound and load
constexpr double lowpreset = 5000;
}  // namespace

int concentrationkind(int kindcode) {
    switch (kindcode) {
        case 48: return 1;
        case 47: return 2;
        default: return 0;  // 50 and every other code
    }
}

double average(std::span<const double> values) {
    double sum = 0;
    long count = 0;
    for (double v : values) {
        if (v != 0) {
            sum += v;
            ++count;
        }
    }
    return count > 0 ? sum / static_cast<double>(count) : 0;
}

double median(std::span<const double> values) {
    std::size_t n = values.size();
    if (n == 0) return 0;
    std::vector<double> sorted(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end());
    if (n % 2 == 1) return sorted[n / 2];
    return sorted[n / 2 - 1] / 2 + sorted[n / 2] / 2;
}

void transcombfile(App& app, const ExportLines& lines, std::string_view line, int, std::int16_t& compound,
                   double& value) {
    compound = 0;
    value = 0;
    const std::string concentration = mid(line, 61, 14);
    // A concentration beyond a 32-bit float (an infinite one included) is no measurement:
    // kept, it would stand as the highest value of every later load of the run.
    if (!numbersfit(app, lines, {{"concentration", concentration}})) return;
    value = val(concentration);
    putlistrecords(app, rtrim(mid(line, 21, 40)), compound);
}

bool coalfileload(App& app, const std::filesystem::path& file, int kindcode,
                  std::vector<CompoundStatistics>* statistics) {
    auto lines = openexport(app, file);
    if (!lines) return false;
    auto& ranges = app.concranges;
    const long low = concentrationkind(kindcode), high = low + 3;
    for (long i = 1; i <= decltype(app.concranges)::hi1; ++i) ranges(i, low) = lowpreset;
    app.platform.pumpevents();

    std::vector<std::vector<double>> values(static_cast<std::size_t>(decltype(app.concranges)::hi1) + 1);
    lines->skipheading(1);
    std::string_view line;
    while (lines->next(line)) {
        std::int16_t k = 0;
        double v = 0;
        transcombfile(app, *lines, line, kindcode, k, v);
        if (k < 1) continue;  // no compound name, none within the compound table, or a value skipped
        auto& row = values[static_cast<std::size_t>(k)];
        if (static_cast<long>(row.size()) == maxvalues) {
            importwarning(app, "line " + std::to_string(lines->linenumber()) + " of " + file.filename().string() +
                                   " ignored: compound " + std::to_string(k) + " has more than " +
                                   std::to_string(maxvalues) + " values");
            continue;
        }
        row.push_back(v);
    }

    long listed = std::min<long>(mainwindow(app).List1.ListCount(), decltype(app.concranges)::hi1);
    if (statistics) statistics->clear();
    for (long i = 1; i <= listed; ++i) {
        const auto& row = values[static_cast<std::size_t>(i)];
        for (double v : row) {
            if (v > 0 && v < ranges(i, low)) ranges(i, low) = v;
            if (v > ranges(i, high)) ranges(i, high) = v;
        }
        if (statistics)
            statistics->push_back({i, static_cast<long>(row.size()), median(row), average(row)});
    }
    return true;
}

}  // namespace brasket
