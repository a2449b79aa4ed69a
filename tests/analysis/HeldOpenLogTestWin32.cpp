// The log the web server is still writing: IIS keeps the current log open for writing and lets
// others only read it, so the primary read (which keeps writers out) fails with a sharing
// violation and the analysis must count the file through the fallback read.
#include "analysis/CrawlerAnalysis.h"
#include "platform/fs/File.h"
#include "platform/fs/FileError.h"
#include "platform/fs/Utf16.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class Rows : public analysis::AnalysisObserver {
public:
    void beginFile(std::int64_t) override {}
    void atLine(std::int64_t) override {}
    void addRow(const analysis::ResultRow& row) override { rows.push_back(row); }
    void fileDone() override {}
    std::vector<analysis::ResultRow> rows;
};

// A handle as the web server holds it: writing, sharing reading only.
class ServerHandle {
public:
    explicit ServerHandle(const std::string& path) {
        handle_ = ::CreateFileW(fs::WidenPath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~ServerHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Write(const std::string& text) {
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(handle_, text.data(), DWORD(text.size()), &written, nullptr));
        ASSERT_EQ(written, DWORD(text.size()));
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

TEST(HeldOpenLog, PrimaryReadMeetsASharingViolation) {
    TempFolder dir;
    ServerHandle server(dir / "u_ex260101.log");
    ASSERT_TRUE(server.IsOpen());
    try {
        fs::File::Open(dir / "u_ex260101.log");
        FAIL() << "the primary read opened a file another process is writing";
    } catch (const fs::FileError& e) {
        EXPECT_EQ(e.ErrorCode(), ERROR_SHARING_VIOLATION);
        EXPECT_NE(std::string(e.what()).find("Cannot open file \""), std::string::npos) << e.what();
    }
    // The fallback and the size let the writer go on.
    EXPECT_EQ(fs::ReadWholeFile(dir / "u_ex260101.log"), "");
    EXPECT_EQ(fs::GetFileSize(dir / "u_ex260101.log"), 0u);
}

TEST(HeldOpenLog, AnalysisCountsTheLogTheServerIsWriting) {
    TempFolder dir;
    const analysis::SignatureList sigs = analysis::MakeSignatureList();
    dir.Write("u_ex260100.log", sigs[0] + "\r\n");
    ServerHandle server(dir / "u_ex260101.log");
    ASSERT_TRUE(server.IsOpen());
    std::string text = "#Fields: date time cs(User-Agent)\r\n";
    for (int i = 0; i < 1000; ++i)
        text += "2026-01-01 00:00:00 GET / " + sigs[std::size_t(i % 7)] + " " + (i % 2 ? sigs[1] : "") +
                "\r\n";
    server.Write(text);

    analysis::CrawlerAnalysis scan;
    Rows rows;
    ASSERT_TRUE(scan.analyseLogFiles(dir.Path(), rows));
    ASSERT_EQ(rows.rows.size(), 2u);
    const analysis::ResultRow& held = rows.rows[1];
    EXPECT_EQ(held.FileName, "u_ex260101.log");
    EXPECT_EQ(held.SizeText, std::to_string(text.size() / 1024) + " kb");
    // Signature k is on every line with i % 7 == k (143 lines for k < 6, 142 for k = 6); Google
    // is also on every odd line that does not already carry it.
    std::array<std::int64_t, 7> expected{143, 0, 143, 143, 143, 143, 142};
    int googleLines = 0;
    for (int i = 0; i < 1000; ++i)
        googleLines += (i % 7 == 1 || i % 2 == 1) ? 1 : 0;
    expected[1] = googleLines;
    for (std::size_t k = 0; k < 7; ++k)
        EXPECT_EQ(held.Counts[k], expected[k]) << "signature " << k;

    // What the server writes after the analysis is counted by the next one.
    server.Write("2026-01-01 00:00:01 GET / " + sigs[3] + "\r\n");
    Rows again;
    ASSERT_TRUE(scan.analyseLogFiles(dir.Path(), again));
    ASSERT_EQ(again.rows.size(), 2u);
    EXPECT_EQ(again.rows[1].Counts[3], expected[3] + 1);
}

TEST(HeldOpenLog, UnicodeFolderAndFileNames) {
    TempFolder dir;
    const analysis::SignatureList sigs = analysis::MakeSignatureList();
    ASSERT_TRUE(::CreateDirectoryW(fs::WidenPath(dir / "日志").c_str(), nullptr));
    HANDLE h = ::CreateFileW(fs::WidenPath(dir / "日志/访问.log").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::string line = sigs[5] + "\r\n";
    DWORD written = 0;
    ::WriteFile(h, line.data(), DWORD(line.size()), &written, nullptr);
    ::CloseHandle(h);
    ASSERT_TRUE(::CreateDirectoryW(fs::WidenPath(dir / "日志/sub.log").c_str(), nullptr));

    analysis::CrawlerAnalysis scan;
    Rows rows;
    ASSERT_TRUE(scan.analyseLogFiles(dir / "日志", rows));
    ASSERT_EQ(rows.rows.size(), 1u) << "the hidden file counts, the folder named *.log does not";
    EXPECT_EQ(rows.rows[0].FileName, "访问.log");
    EXPECT_EQ(rows.rows[0].Counts[5], 1);
}

} // namespace
