#include "golden.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "report/printexport.h"
#include "report/reportbuffer.h"

namespace fs = std::filesystem;

namespace brasket::testing {

namespace {

std::string readall(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> splitlines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

}  // namespace

std::string reporttext(const ReportBuffer& rb) {
    const fs::path file = fs::temp_directory_path() /
                          ("brasket-golden-" + std::to_string(::getpid()) + "-" +
                           std::to_string(reinterpret_cast<std::uintptr_t>(&rb)) + ".txt");
    std::string error;
    EXPECT_TRUE(writedisplayset(rb, file, error)) << error;
    std::string text = readall(file);
    fs::remove(file);
    return text;
}

void expectgolden(const std::string& name, const std::string& text) {
    const fs::path file = fs::path(BRASKET_SOURCE_DIR) / "tests" / "golden" / name;
    const char* update = std::getenv("BRASKET_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
        return;
    }
    ASSERT_TRUE(fs::exists(file)) << "no golden file " << file
                                  << " (make it with scripts/update-golden.sh and read it before committing)";
    const std::vector<std::string> want = splitlines(readall(file)), got = splitlines(text);
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : "<no line>";
        const std::string g = i < got.size() ? got[i] : "<no line>";
        if (w != g) {
            ADD_FAILURE() << name << " line " << i + 1 << " differs\n  golden: [" << w << "]\n  now:    [" << g << "]";
            return;
        }
    }
}

}  // namespace brasket::testing
