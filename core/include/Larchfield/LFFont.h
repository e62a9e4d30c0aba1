#ifndef LFFONT_H
#define LFFONT_H

#endif
