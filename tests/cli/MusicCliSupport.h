#pragma once

#include "Cli.h"
#include "foundation/Bundle.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

#include <filesystem>
#include <sstream>

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun runCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Cli().run(args, out, err);
    return {status, out.str(), err.str()};
}

// A bundle of its own for a run of the real binary: copies of the built bundle's files named in
// `copied`, plus whatever the test writes into it.
class TestBundle {
public:
    explicit TestBundle(std::initializer_list<const char*> copied) {
        const std::string built = fretkit::Bundle::main().resourcePath();
        for (const char* name : copied) {
            std::filesystem::copy_file(built + "/" + name, dir_.file(name));
        }
    }

    const TempDir& dir() const { return dir_; }

    // The output and status of `fretkit ARGS` run with this bundle; stderr goes to `stderrFile`
    // when given, else it is dropped.
    SubprocessResult run(const std::string& args, const std::string& stdinText = {}) const {
        std::string line = "FRETKIT_BUNDLE='" + dir_.path().string() + "' " +
                           std::string(FRETKIT_CLI) + " " + args + " 2>'" + dir_.file("stderr") +
                           "'";
        if (!stdinText.empty()) {
            line = "printf '%b' '" + stdinText + "' | " + line;
        }
        return runCommand(line);
    }

    std::string lastStderr() const { return TempDir::read(dir_.file("stderr")); }

private:
    TempDir dir_;
};

inline const char* kTuningsPlist = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<array>
  <dict><key>name</key><string>Standard</string><key>spelling</key><string>E A D G B E</string>
    <key>notes</key><array><integer>64</integer><integer>59</integer><integer>55</integer>
    <integer>50</integer><integer>45</integer><integer>40</integer></array></dict>
  <dict><key>name</key><string>Drop D</string><key>spelling</key><string>D A D G B E</string>
    <key>notes</key><array><integer>64</integer><integer>59</integer><integer>55</integer>
    <integer>50</integer><integer>45</integer><integer>38</integer></array></dict>
  <dict><key>name</key><string>Broken</string><key>notes</key><array><integer>64</integer></array></dict>
</array>
</plist>
)";
