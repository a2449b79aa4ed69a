// loggen: writes deterministic IIS W3C logs for samples and benchmarks.
//   loggen --out DIR [--seed N] [--bytes TOTAL] [--files N] [--style classic|today] [--block-bytes N]
// Files are named u_ex<yymmdd>.log like IIS's own; the total is split evenly between them. The
// classic style (the default) is a 2013 IIS 6 log, the today style an IIS 10 site of 2026 with a
// header block every --block-bytes (mean, default 32 MiB).
#include "LogGenerator.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: loggen --out DIR [--seed N] [--bytes TOTAL] [--files N] [--style classic|today] "
                 "[--block-bytes N]\n");
    return 2;
}

bool ParseNumber(const char* text, unsigned long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    return errno == 0 && end != text && *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    std::string out;
    unsigned long long seed = 1, bytes = 1 << 20, files = 1;
    loggen::Options options;
    unsigned long long blockBytes = options.blockBytes;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) return Usage();
        const char* value = argv[++i];
        if (arg == "--out") out = value;
        else if (arg == "--style" && std::strcmp(value, "classic") == 0)
            options.style = loggen::Style::Classic;
        else if (arg == "--style" && std::strcmp(value, "today") == 0) options.style = loggen::Style::Today;
        else if (!(arg == "--seed" && ParseNumber(value, seed)) &&
                 !(arg == "--bytes" && ParseNumber(value, bytes)) &&
                 !(arg == "--files" && ParseNumber(value, files)) &&
                 !(arg == "--block-bytes" && ParseNumber(value, blockBytes)))
            return Usage();
    }
    if (out.empty() || files == 0 || blockBytes == 0) return Usage();
    options.blockBytes = blockBytes;
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        std::fprintf(stderr, "loggen: cannot create %s: %s\n", out.c_str(), ec.message().c_str());
        return 1;
    }

    loggen::LogGenerator gen(seed, options);
    const unsigned long long perFile = bytes / files;
    for (unsigned long long f = 0; f < files; ++f) {
        std::string path = out + "/" + gen.FileName(int(f));
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file) {
            std::fprintf(stderr, "loggen: cannot create %s: %s\n", path.c_str(), std::strerror(errno));
            return 1;
        }
        std::string chunk;
        gen.AppendHeader(chunk, int(f), perFile);
        unsigned long long written = 0;
        while (written < perFile) {
            unsigned long long want = std::min<unsigned long long>(perFile - written, 8 << 20);
            gen.AppendLines(chunk, want > chunk.size() ? want - chunk.size() : 0, int(f));
            if (std::fwrite(chunk.data(), 1, chunk.size(), file) != chunk.size()) {
                std::fprintf(stderr, "loggen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
                std::fclose(file);
                return 1;
            }
            written += chunk.size();
            chunk.clear();
        }
        if (std::fclose(file) != 0) {
            std::fprintf(stderr, "loggen: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
            return 1;
        }
    }
    return 0;
}
