#include "guidelines.h"

namespace qv {

    namespace {
        int& stored()
        {
            static int option = 0;
            return option;
        }
    } // namespace

    int guideLineOption()
    {
        return stored();
    }

    void setGuideLineOption(int option)
    {
        stored() = option == 1 ? 1 : 0;
    }

} // namespace qv
