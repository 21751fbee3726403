#include "app/workbench/cover_text.h"

#include <QStringList>

QString CoverText() {
    const QStringList lines{
        "",
        "    Vantor  -  Integrated Chemistry Reduction, version 4.0",
        "",
        "    Main functions",
        "      *  Integrated reduction of chemical kinetic models by PFA (path flux analysis)",
        "         and ECF (cumulative flux share), from the detailed mechanism to a skeletal one",
        "      *  Generation of the mechanism binary (chem.bin) from a CHEMKIN input file",
        "      *  Generation of the transport binary (tran.bin)",
        "      *  Post processing: test of the reduced chemistry and comparison with the detailed one",
        "",
        "    Developed by the combustion chemistry reduction group of the Vantor project.",
        "    Download: https://vantor.example.org",
        "",
        "    Methods",
        "      W. Sun, Z. Chen, X. Gou, Y. Ju, A path flux analysis method for the reduction of",
        "      detailed chemical kinetic mechanisms, Combustion and Flame 157 (2010) 1298-1307.",
        "      T. Lu, C.K. Law, A directed relation graph method for mechanism reduction,",
        "      Proceedings of the Combustion Institute 30 (2005) 1333-1341.",
        "",
        "    First edition: 2010-10-01",
        "",
        "    Open a project (File > PRJ Open) or a mechanism input file (File > INP Open) to begin.",
    };
    return lines.join('\n');
}
