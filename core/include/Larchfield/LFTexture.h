#ifndef LFTEXTURE_H
#define LFTEXTURE_H

#endif
