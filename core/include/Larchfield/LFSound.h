#ifndef LFSOUND_H
#define LFSOUND_H

#endif
