// Fuzz target of the CHEMKIN interpreter: arbitrary bytes as the mechanism text, checked against
// a small fixed thermo data set; bytes after a first NUL byte replace the thermo text. Whatever
// the input, the interpreter must not crash, and a successful compilation must produce a binary
// whose records are well framed and whose header is the one the chemistry library accepts.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/record_io.h"
#include "outside/tolmar/listing_writer.h"
#include "outside/tolmar/mechanism_compiler.h"

namespace {

constexpr std::string_view kThermo =
    "THERMO\n"
    "   300.000  1000.000  5000.000\n"
    "H2                TPIS78H   2               G   200.000  3500.000  1000.000    1\n"
    " 3.33727920E+00-4.94024731E-05 4.99456778E-07-1.79566394E-10 2.00255376E-14    2\n"
    "-9.50158922E+02-3.20502331E+00 2.34433112E+00 7.98052075E-03-1.94781510E-05    3\n"
    " 2.01572094E-08-7.37611761E-12-9.17935173E+02 6.83010238E-01                   4\n"
    "H                 L 7/88H   1               G   200.000  3500.000  1000.000    1\n"
    " 2.50000001E+00-2.30842973E-11 1.61561948E-14-4.73515235E-18 4.98197357E-22    2\n"
    " 2.54736599E+04-4.46682914E-01 2.50000000E+00 7.05332819E-13-1.99591964E-15    3\n"
    " 2.30081632E-18-9.27732332E-22 2.54736599E+04-4.46682853E-01                   4\n"
    "O                 L 1/90O   1               G   200.000  3500.000  1000.000    1\n"
    " 2.56942078E+00-8.59741137E-05 4.19484589E-08-1.00177799E-11 1.22833691E-15    2\n"
    " 2.92175791E+04 4.78433864E+00 3.16826710E+00-3.27931884E-03 6.64306396E-06    3\n"
    "-6.12806624E-09 2.11265971E-12 2.91222592E+04 2.05193346E+00                   4\n"
    "O2                TPIS89O   2               G   200.000  3500.000  1000.000    1\n"
    " 3.28253784E+00 1.48308754E-03-7.57966669E-07 2.09470555E-10-2.16717794E-14    2\n"
    "-1.08845772E+03 5.45323129E+00 3.78245636E+00-2.99673416E-03 9.84730201E-06    3\n"
    "-9.68129509E-09 3.24372837E-12-1.06394356E+03 3.65767573E+00                   4\n"
    "OH                RUS 78O   1H   1          G   200.000  3500.000  1000.000    1\n"
    " 3.09288767E+00 5.48429716E-04 1.26505228E-07-8.79461556E-11 1.17412376E-14    2\n"
    " 3.85865700E+03 4.47669610E+00 3.99201543E+00-2.40131752E-03 4.61793841E-06    3\n"
    "-3.88113333E-09 1.36411470E-12 3.61508056E+03-1.03925458E-01                   4\n"
    "H2O               L 8/89H   2O   1          G   200.000  3500.000  1000.000    1\n"
    " 3.03399249E+00 2.17691804E-03-1.64072518E-07-9.70419870E-11 1.68200992E-14    2\n"
    "-3.00042971E+04 4.96677010E+00 4.19864056E+00-2.03643410E-03 6.52040211E-06    3\n"
    "-5.48797062E-09 1.77197817E-12-3.02937267E+04-8.49032208E-01                   4\n"
    "HO2               L 5/89H   1O   2          G   200.000  3500.000  1000.000    1\n"
    " 4.01721090E+00 2.23982013E-03-6.33658150E-07 1.14246370E-10-1.07908535E-14    2\n"
    " 1.11856713E+02 3.78510215E+00 4.30179801E+00-4.74912051E-03 2.11582891E-05    3\n"
    "-2.42763894E-08 9.29225124E-12 2.94808040E+02 3.71666245E+00                   4\n"
    "H2O2              L 7/88H   2O   2          G   200.000  3500.000  1000.000    1\n"
    " 4.16500285E+00 4.90831694E-03-1.90139225E-06 3.71185986E-10-2.87908305E-14    2\n"
    "-1.78617877E+04 2.91615662E+00 4.27611269E+00-5.42822417E-04 1.67335701E-05    3\n"
    "-2.15770813E-08 8.62454363E-12-1.77025821E+04 3.43505074E+00                   4\n"
    "N2                121286N   2               G   300.000  5000.000  1000.000    1\n"
    " 0.02926640E+02 0.01487977E-01-0.05684761E-05 0.01009704E-08-0.06753351E-13    2\n"
    "-0.09227977E+04 0.05980528E+02 0.03298677E+02 0.01408240E-01-0.03963222E-04    3\n"
    " 0.05641515E-07-0.02444855E-10-0.01020900E+05 0.03950372E+02                   4\n"
    "AR                120186AR  1               G   300.000  5000.000  1000.000    1\n"
    " 0.02500000E+02 0.00000000E+00 0.00000000E+00 0.00000000E+00 0.00000000E+00    2\n"
    "-0.07453750E+04 0.04366000E+02 0.02500000E+02 0.00000000E+00 0.00000000E+00    3\n"
    " 0.00000000E+00 0.00000000E+00-0.07453750E+04 0.04366000E+02                   4\n"
    "END\n";

// Every record framed, the version record the reader accepts.
void CheckBinary(const std::vector<uint8_t>& bytes) {
    vantor::RecordReader reader(bytes);
    std::vector<uint8_t> record;
    if (reader.Next(record) != vantor::RecordStatus::Ok) std::abort();
    vantor::RecordCursor header(record);
    if (header.Name(16) != "3.9             " || header.Name(16).rfind("DOUB", 0) != 0 || header.Logical())
        std::abort();
    vantor::RecordStatus status;
    while ((status = reader.Next(record)) == vantor::RecordStatus::Ok) {
    }
    if (status != vantor::RecordStatus::EndOfFile) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t nul = bytes.find('\0');
    vantor::tolmar::CompileInput input;
    input.mechanismText = bytes.substr(0, nul);
    input.mechanismName = "fuzz.inp";
    input.thermoText = nul == std::string_view::npos ? kThermo : bytes.substr(nul + 1);
    input.thermoName = "fuzz.dat";
    vantor::tolmar::CompileOutput output;
    vantor::tolmar::CompileMechanism(input, output);
    if ((output.Status() == 0) != !output.binary.empty()) std::abort();
    if (output.Status() == 0) CheckBinary(output.binary);
    (void)vantor::tolmar::WriteListing({"fuzz.inp", "fuzz.dat", "fuzz.bin"}, output.mechanism, output.compiled,
                                       output.diagnostics);
    return 0;
}
