#include "chemlib/chemistry_routines.h"

namespace vantor::chem {

ChemistryLibrary& ProcessChemistryLibrary() {
    static ChemistryLibrary library;
    return library;
}

}  // namespace vantor::chem
