#pragma once

#include <string>

#include "main_use/main_use.h"

namespace quillomat {

// Lets tests read and set the main use's fields that are never shown.
struct MainUseTestAccess {
    static std::string& Text1(MainUse& u) { return u.Text1; }
    static std::string& Text2(MainUse& u) { return u.Text2; }
    static std::string& Text3(MainUse& u) { return u.Text3; }
    static std::string& Text4(MainUse& u) { return u.Text4; }
    static std::string& Text5(MainUse& u) { return u.Text5; }
    static std::string& Text6(MainUse& u) { return u.Text6; }
    static CurrentAddressField& Text9(MainUse& u) { return u.Text9; }
};

}  // namespace quillomat
