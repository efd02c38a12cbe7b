// The kernel's status code, which the library hands back by value.
#pragma once

class QOR_ReturnStatus {
public:
    int code = 0;
};
