#pragma once
// Two printers on Wine's own PostScript driver, printing to FILE:, for the length of a test;
// the first becomes the user's default. Where the spooler does not take them (no such
// driver), Installed() is false and the test has no printer to work with.
#include <windows.h>
#include <winspool.h>

#include <string>

namespace corvane::cdlg::test {

class TestPrinters {
public:
    static constexpr char kFirst[] = "Corvane Test Printer";
    static constexpr char kSecond[] = "Corvane Second Printer";
    static constexpr char kDriver[] = "Corvane Test PS";

    TestPrinters();
    TestPrinters(const TestPrinters&) = delete;
    TestPrinters& operator=(const TestPrinters&) = delete;
    ~TestPrinters();

    bool Installed() const noexcept { return installed_ == 2; }
    static std::string DefaultPrinter();

private:
    std::string ppdPath_;
    std::string previousDefault_;
    int installed_ = 0;
};

} // namespace corvane::cdlg::test
