#include <cstdio>

// Placeholder entry point until the simulator lands.
int main()
{
    std::puts("duoclave-sim: not built yet");
    return 0;
}
