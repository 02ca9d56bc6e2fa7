// exit_with.exe N: ends with exit code N, so tests can check how exit codes travel.
#include <cstdlib>

int main(int argc, char** argv)
{
    return argc > 1 ? static_cast<int>(std::strtoul(argv[1], nullptr, 10)) : 0;
}
