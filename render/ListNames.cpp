#include "render/ListNames.h"

#include <GL/gl.h>

uint32_t RenewList(uint32_t list) {
    if (list != 0) glDeleteLists(list, 1);
    return glGenLists(1);
}
