#include "RenderTool.h"

int main(int argc, char** argv)
{
    return RenderTool().run(std::vector<std::string>(argv + 1, argv + argc));
}
