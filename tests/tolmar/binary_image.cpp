#include "tolmar/binary_image.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "common/record_io.h"

namespace vantor::tolmar::testing {
namespace {

constexpr const char* kDimNames[] = {
    "INT",    "REAL",     "NAME",    "MM",       "KK",       "II",     "MXSP",    "MXTHIRD", "MXTEMP", "NPOLY",
    "NPARAM", "NLTPAR",   "NFALPAR", "NREVPAR",  "NFALLOFF", "NTHIRD", "NLT",     "NREVLT",  "NWAVE",  "NSPARE",
    "NEIMP",  "NJLEPPAR", "NJLEP",   "NFIT1PAR", "NFIT1",    "NEXCIT", "NREALNU", "NORDER",  "MXORDER"};

std::string Trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

class Reader {
public:
    Reader(RecordReader& records, BinaryImage& image, std::string& error)
        : records_(records), image_(image), error_(error) {}

    bool Read() {
        if (!Next("version")) return false;
        {
            RecordCursor c(record_);
            image_.version = c.Name(16);
            image_.precision = c.Name(16);
            image_.errorMarker = c.Logical();
            if (!Done(c, "version")) return false;
        }
        if (!Next("dimensions")) return false;
        {
            RecordCursor c(record_);
            for (int n = 0; n < 29; ++n) image_.dims.push_back(c.Int());
            image_.coefMin = c.Real();
            if (!Done(c, "dimensions")) return false;
        }
        return Elements() && Species() && Reactions();
    }

private:
    bool Next(const char* what) {
        if (records_.Next(record_) != RecordStatus::Ok) return Fail(std::string("missing record: ") + what);
        return true;
    }
    bool Fail(const std::string& message) {
        error_ = message;
        return false;
    }
    bool Done(const RecordCursor& c, const char* what) {
        if (c.Failed()) return Fail(std::string("record too short: ") + what);
        if (c.Remaining() != 0) return Fail(std::string("record too long: ") + what);
        return true;
    }
    int32_t D(const char* name) const { return image_.Dim(name); }

    bool Elements() {
        if (!Next("elements")) return false;
        RecordCursor c(record_);
        for (int32_t m = 0; m < image_.MM(); ++m) {
            image_.elements.push_back(Trimmed(c.Name(16)));
            image_.atomicWeights.push_back(c.Real());
        }
        return Done(c, "elements");
    }

    bool Species() {
        if (!Next("species")) return false;
        RecordCursor c(record_);
        for (int32_t k = 0; k < image_.KK(); ++k) {
            ImageSpecies s;
            s.name = Trimmed(c.Name(16));
            for (int32_t m = 0; m < image_.MM(); ++m) s.composition.push_back(c.Int());
            s.phase = c.Int();
            s.charge = c.Int();
            s.weight = c.Real();
            s.fitTemperatureCount = c.Int();
            for (double& t : s.temperatures) t = c.Real();
            for (double& a : s.low) a = c.Real();
            for (double& a : s.high) a = c.Real();
            image_.species.push_back(s);
        }
        return Done(c, "species");
    }

    bool Reactions() {
        if (image_.II() == 0) return AtEnd();
        if (!Next("reactions")) return false;
        {
            RecordCursor c(record_);
            for (int32_t i = 0; i < image_.II(); ++i) {
                ImageReaction r;
                r.speciesCount = c.Int();
                r.reactantCount = c.Int();
                for (double& p : r.arrhenius) p = c.Real();
                for (int n = 0; n < D("MXSP"); ++n) {
                    const int32_t nu = c.Int(), k = c.Int();
                    if (n < 6) {
                        r.coefficients[n] = nu;
                        r.species[n] = k;
                    } else {
                        r.laterCoefficients.push_back(nu);
                        r.laterSpecies.push_back(k);
                    }
                }
                image_.reactions.push_back(r);
            }
            if (!Done(c, "reactions")) return false;
        }
        // count, integers after the reaction number, then (int, real) pairs or reals
        struct Optional {
            const char* count;
            ImageRecord* target;
            int ints;
            int reals;
            int pairs;
        };
        const int mxorder = D("MXORDER"), mxthird = D("MXTHIRD");
        const Optional optional[] = {
            {"NREVPAR", &image_.reverse, 0, 3, 0},
            {"NFALLOFF", &image_.fallOff, 2, 8, 0},
            {"NTHIRD", &image_.thirdBody, 1, 0, mxthird},
            {"NLT", &image_.landauTeller, 0, 2, 0},
            {"NREVLT", &image_.reverseLandauTeller, 0, 2, 0},
            {"NWAVE", &image_.wavelength, 0, 1, 0},
            {"NEIMP", &image_.electronImpact, 1, 0, 0},
            {"NJLEP", &image_.jan, 0, 9, 0},
            {"NFIT1", &image_.fit1, 0, 4, 0},
            {"NEXCIT", &image_.excitation, 0, 1, 0},
            {"NREALNU", &image_.realCoefficients, 0, D("MXSP"), 0},
            {"NORDER", &image_.orders, 0, 0, mxorder},
        };
        for (const Optional& o : optional) {
            if (D(o.count) < 1) continue;
            if (!Next(o.count)) return false;
            RecordCursor c(record_);
            for (int32_t n = 0; n < D(o.count); ++n) {
                const int32_t number = c.Int();
                ImageEntry& e = (*o.target)[number];
                for (int j = 0; j < o.ints; ++j) e.ints.push_back(c.Int());
                for (int j = 0; j < o.reals; ++j) e.reals.push_back(c.Real());
                for (int j = 0; j < o.pairs; ++j) {
                    e.ints.push_back(c.Int());
                    e.reals.push_back(c.Real());
                }
            }
            if (!Done(c, o.count)) return false;
        }
        return PressureTables();
    }

    bool PressureTables() {
        if (!Next("pressure index 1")) return false;
        {
            RecordCursor c(record_);
            for (int32_t i = 0; i <= image_.II(); ++i) image_.pressureIndex1.push_back(c.Int());
            if (!Done(c, "pressure index 1")) return false;
        }
        if (!Next("pressure index 2")) return false;
        {
            RecordCursor c(record_);
            for (int32_t i = 0; i < image_.II(); ++i) image_.pressureIndex2.push_back(c.Int());
            if (!Done(c, "pressure index 2")) return false;
        }
        const int32_t npmax = image_.pressureIndex1[0];
        for (int32_t i = 0; i < image_.II(); ++i) {
            if (!Next("pressure table")) return false;
            RecordCursor c(record_);
            std::vector<double> table;
            for (int32_t e = 0; e < 4 * npmax; ++e) table.push_back(c.Real());
            if (!Done(c, "pressure table")) return false;
            image_.pressureTables.push_back(table);
        }
        return AtEnd();
    }

    bool AtEnd() {
        image_.atCleanEnd = records_.Next(record_) == RecordStatus::EndOfFile;
        return true;
    }

    RecordReader& records_;
    BinaryImage& image_;
    std::string& error_;
    std::vector<uint8_t> record_;
};

}  // namespace

int32_t BinaryImage::Dim(const char* name) const {
    for (size_t n = 0; n < std::size(kDimNames); ++n)
        if (std::strcmp(kDimNames[n], name) == 0) return dims.at(n);
    return -1;
}

int32_t BinaryImage::SpeciesIndex(const std::string& name) const {
    for (size_t k = 0; k < species.size(); ++k)
        if (species[k].name == name) return static_cast<int32_t>(k + 1);
    return 0;
}

bool ReadBinaryImage(const std::vector<uint8_t>& bytes, BinaryImage& image, std::string& error) {
    RecordReader records(bytes);
    return Reader(records, image, error).Read();
}

bool ReadBinaryImage(const std::string& path, BinaryImage& image, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ReadBinaryImage(bytes, image, error);
}

}  // namespace vantor::tolmar::testing
