// Trace compound data: the emission factor data by control device, the compound list and
// compound file, the compound type and oil print files, the concentration ranges of measured
// compounds, and the supplier and partition factor exports.
#pragma once
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brasket {

struct App;
struct compoundrec;
struct emisfrec;
class ExportLines;

// The compound file of the data folder: record k (50 bytes) is compound k.
std::filesystem::path compoundfilepath(const App& app);
// Writes record k of the compound file from compounds(k), creating the file when needed.
void writecompoundrecord(App& app, long k);
// Reads record k of the compound file; false when the file holds no such record.
bool readcompoundrecord(const App& app, long k, compoundrec& record);

// The number of a compound name in the main window's compound list List1 (entry k - 1 is
// compound k). The name is compared without its trailing blanks, case-sensitively and whole,
// the last matching entry winning. A name not listed is appended, its name stored in
// compounds(k) and record k of the compound file written. An empty list is first filled from
// the compound file (record k as entry k), so that a later run keeps the compound numbers of
// the earlier ones. A blank name gives 0; so does, with a warning in the log, a new name when
// the table's 300 compounds are taken or a name whose entry lies beyond them.
void putlistrecords(App& app, std::string_view name, std::int16_t& number);

// Sets the device name, the whole number of columns 21-28, the compound name, the factor
// value, the device number and the compound number of `record` from one line of
// "EMISDATA.prn"; columns beyond the line's end read as blanks. False, leaving the record as
// it was, when a whole number does not fit its 16-bit field or the factor a 32-bit float.
bool parsefixedline(std::string_view line, emisfrec& record);

// "Load emission factor data": "EMISDATA.prn" of the data folder into emisf and emisf.dat,
// the compounds into List1, compounds and the compound file, the devices into List2. The file
// is read and checked whole first; a missing, oversized or malformed file is told and changes
// nothing.
void cmdemisf_Click(App& app);

// For an import that shows no status caption: the lines it skipped or changed with a warning
// since the warning count `since`, told in a message when there are any and the warning log
// holds them.
void tellimportwarnings(App& app, long since);

// "update compound type": the type of each compound of "compounds.prn" in the import folder.
void cmdcompdtype_Click(App& app);
// One line of a trace-oil print file: its compound is listed, and with the selector 46 its
// concentration in oil is stored into the compound and its record. A concentration beyond a
// 32-bit float skips the line with a warning naming it.
void transloilc(App& app, const ExportLines& lines, std::string_view line, int selector);
// "update oil data": the chosen trace-oil print file through transloilc.
void cmdupdatetraceoil_Click(App& app);
// "update coal data": deletes "concen.dat" of the import folder and reads the chosen file
// through, storing nothing.
void cmdupdcoal_Click(App& app);
// "update gas data": nothing to do.
void cmdupgas_Click(App& app);

// The data kind of a concentration export's kind code: 48 oil (1), 47 gas (2), else fuel (0).
int concentrationkind(int kindcode);
// The mean of the values that are not 0 (0 when there is none).
double average(std::span<const double> values);
// The median of the values, zeros included (0 for none).
double median(std::span<const double> values);

// One line of a combustion concentration export: its compound (listed through
// putlistrecords) and its concentration. A concentration beyond a 32-bit float gives compound
// 0 and a warning naming the line.
void transcombfile(App& app, const ExportLines& lines, std::string_view line, int kindcode, std::int16_t& compound,
                   double& value);

// The median and mean of one compound's values in a concentration export.
struct CompoundStatistics {
    long compound = 0;
    long count = 0;
    double median = 0;
    double mean = 0;
};
// Reads a combustion concentration export of one data kind into the lowest positive and
// highest values of concranges, and gives each listed compound's median and mean. False
// (told, nothing changed) when the file cannot be read.
bool coalfileload(App& app, const std::filesystem::path& file, int kindcode,
                  std::vector<CompoundStatistics>* statistics = nullptr);

// The fuel type code of a supplier's coal rank text.
std::int16_t suppliertype(std::string_view rank);
// "load supplier mercury info.": "coal suppliers.txt" of the data folder's "database2" into
// coalsupply.
void cmdloadsupplier_Click(App& app);
// The partition factor export "database2\partfactors.txt" into partfactors1 and partfactors2,
// both written at once to partfactors1.dat and partfactors2.dat. False when the export
// cannot be read or the files cannot be written (told).
bool loadpartitionfactors(App& app);
// "load emis factors" of the unit evaluation window: the partition factors under its hourglass,
// the lines skipped told at the end.
void cmdloadefacts_Click(App& app);

}  // namespace brasket
