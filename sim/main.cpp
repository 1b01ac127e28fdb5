#include "sim/Options.h"
#include "sim/PtyServer.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    sim::Options options;
    std::string error;
    if (!sim::ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "duoclave-sim: %s\nTry duoclave-sim --help.\n", error.c_str());
        return 2;
    }
    if (options.help || options.manual || options.version) {
        const std::string text = options.help ? sim::HelpText() : options.manual ? sim::ManualText() : sim::VersionText();
        std::fputs(text.c_str(), stdout);
        return 0;
    }
    sim::PtyServer server(std::move(options));
    if (!server.Open(error)) {
        std::fprintf(stderr, "duoclave-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", server.PtyPath().c_str());
    std::fflush(stdout);
    return server.Serve();
}
