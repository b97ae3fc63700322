/*
 * The Zarnel effect plug-in interface.
 *
 * An effect is a shared library (a DLL on Windows, a .so elsewhere) that the
 * program loads into one of its six effect slots. While the effect is on, the
 * slot's desk hands it every resampled block of the desk (before the
 * equaliser and the crossfader) and the effect rewrites the block in place.
 *
 * The library exports a class factory (ZarnelEffectFactory, exported as
 * `_DllGetClassObject@12` on 32-bit Windows and as the C symbol
 * `DllGetClassObject` elsewhere). The host calls it with
 * ZARNEL_EFFECT_CLASS_ID and ZARNEL_EFFECT_INTERFACE_ID; the factory creates
 * one effect object and stores it at the address it is given. The object
 * begins with the information block ZarnelEffect; the effect keeps its own
 * data after it. Older effects export `GetZarnelDsp` instead (see the end of
 * this file).
 *
 * Audio: 44100 frames per second, interleaved stereo (left, right), signed
 * 16-bit samples. Every index and length counts frames. Values written to a
 * block are clipped to -32768..32767.
 *
 * Threads: process and rewind run on the host's audio thread; they must not
 * allocate, lock, wait or do I/O. init, get info, get parameters, start,
 * stop, release and parameter changes come from the user-interface thread,
 * without a lock against process. The host rewrites the information block
 * just before each call, from whichever thread makes the call.
 *
 * This header is plain C and C++, needs nothing but the standard library,
 * and is shared by the host and the effects.
 */
#ifndef ZARNEL_EFFECT_H
#define ZARNEL_EFFECT_H

#include <stddef.h>
#include <stdint.h>

/* Calling conventions on 32-bit Windows: ZARNEL_EFFECT_CALL is the
 * callee-cleans-stack convention of COM methods, used by the class factory,
 * the operations and the host callback; ZARNEL_EFFECT_CDECL is the
 * caller-cleans-stack convention of the older function record. Elsewhere
 * both are the platform's only C convention. */
#if defined(_WIN32)
#define ZARNEL_EFFECT_CALL __stdcall
#define ZARNEL_EFFECT_CDECL __cdecl
#else
#define ZARNEL_EFFECT_CALL
#define ZARNEL_EFFECT_CDECL
#endif

/* Marks the class factory for export. On Windows the library names its one
 * export in a module-definition file instead (`_DllGetClassObject@12`,
 * ordinal 1), so nothing is marked there. */
#if defined(_WIN32)
#define ZARNEL_EFFECT_EXPORT
#elif defined(__GNUC__) || defined(__clang__)
#define ZARNEL_EFFECT_EXPORT __attribute__((visibility("default")))
#else
#define ZARNEL_EFFECT_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The version the host writes into ZarnelEffect.hostVersion. */
#define ZARNEL_EFFECT_HOST_VERSION 0x02020000

/* The class factory's results. */
#define ZARNEL_EFFECT_OK 0
#ifndef CLASS_E_CLASSNOTAVAILABLE
#define CLASS_E_CLASSNOTAVAILABLE ((int32_t)0x80040111u)
#endif
#define ZARNEL_EFFECT_E_OUTOFMEMORY ((int32_t)0x8007000Eu)
#define ZARNEL_EFFECT_E_POINTER ((int32_t)0x80004003u)

/* Host callback commands (ZarnelEffectCallback). */
#define ZARNEL_EFFECT_PAUSE 1      /* pause the desk */
#define ZARNEL_EFFECT_SWITCH_OFF 2 /* switch this slot's effect off */
#define ZARNEL_EFFECT_GET_SPEED 3  /* returns at once the desk's speed step (Q12, 4096 = normal) */
#define ZARNEL_EFFECT_SET_PITCH 4  /* value: speed step, clamped to the pitch range */
#define ZARNEL_EFFECT_SEEK 5       /* value: frame of the track */
#define ZARNEL_EFFECT_GET_TRACK 6  /* returns at once a ZarnelEffectTrack pointer */
#define ZARNEL_EFFECT_SET_TRACK 7  /* value: ZarnelEffectTrack pointer to take values from */

/* Delay meaning "now" for ZarnelEffectCallback. */
#define ZARNEL_EFFECT_NOW (-1)

/* A 128-bit class or interface identifier, laid out as on Windows. */
typedef struct ZarnelGuid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
} ZarnelGuid;

/* {9B4AF611-872E-45BD-9FDB-4B809FA9F745}: the class the host asks for. */
#define ZARNEL_EFFECT_CLASS_ID_INIT                                                           \
  {                                                                                           \
    0x9B4AF611u, 0x872Eu, 0x45BDu, { 0x9Fu, 0xDBu, 0x4Bu, 0x80u, 0x9Fu, 0xA9u, 0xF7u, 0x45u } \
  }
/* {60347063-279D-433A-83AC-64153C73659D}: the effect interface. */
#define ZARNEL_EFFECT_INTERFACE_ID_INIT                                                       \
  {                                                                                           \
    0x60347063u, 0x279Du, 0x433Au, { 0x83u, 0xACu, 0x64u, 0x15u, 0x3Cu, 0x73u, 0x65u, 0x9Du } \
  }

/* Returns 1 when both identifiers are the same, else 0. */
static inline int zarnelGuidEqual(const ZarnelGuid* a, const ZarnelGuid* b) {
  int i;
  if (a->data1 != b->data1 || a->data2 != b->data2 || a->data3 != b->data3) return 0;
  for (i = 0; i < 8; ++i) {
    if (a->data4[i] != b->data4[i]) return 0;
  }
  return 1;
}

/* The host callback of one slot: asks the host to act on the slot's desk.
 * delay: -1 (ZARNEL_EFFECT_NOW) runs the command now; delay >= 0 counts
 * frames from the start of the block being processed, and the command runs
 * when that frame is heard (at most 64 timed commands wait at once).
 * Commands 3 and 6 answer at once and ignore the delay.
 * Returns: 1 when accepted (or the answer of commands 3 and 6); 0 when
 * refused or when the slot is empty. May be called from process. */
typedef int32_t(ZARNEL_EFFECT_CALL* ZarnelEffectCallback)(int32_t delay, int32_t command, int32_t value);

/* The desk's track record (commands 6 and 7). Command 6 fills it anew; for a
 * desk whose track has no database entry only title and author are set.
 * With command 7 the host takes: a non-zero sizeKey or lastUse; a non-null
 * title or author that differs from the current one; a tempo that differs
 * from the stored one; the envelope peak; a non-null comment that differs
 * without regard to case. fileName is never taken. */
typedef struct ZarnelEffectTrack {
  const char* fileName; /*  0 the entry's file name, without folder */
  int32_t sizeKey;      /*  4 the entry's size key */
  const char* title;    /*  8 the desk's title text */
  const char* author;   /* 12 the desk's author text */
  int32_t lastUse;      /* 16 the entry's last-use date stamp */
  float tempo;          /* 20 the entry's tempo, BPM */
  int32_t envelopePeak; /* 24 the track data's envelope peak */
  const char* comment;  /* 28 the entry's comment */
} ZarnelEffectTrack;

typedef struct ZarnelEffectOperations ZarnelEffectOperations;

/* The information block: the start of every effect object. On 32-bit
 * platforms it is 56 bytes and the offsets are those given in the comments;
 * on 64-bit platforms the pointers and handles are pointer-sized and the
 * order stays. The effect's private data follows it. */
typedef struct ZarnelEffect {
  const ZarnelEffectOperations* operations; /*  0 effect: the operations table */
  ZarnelEffectCallback callback;            /*  4 host: this slot's callback */
  int32_t parameters[3];                    /*  8 effect (defaults in init), host: 0..4096 */
  float tempo;                              /* 20 host: desk tempo in BPM (track tempo x speed step
                                                      / 4096); 0 when the track has no tempo */
  float secondTempo;                        /* 24 host: the analyser's tempo x speed step / 4096 */
  int32_t heardPosition;                    /* 28 host: heard position in the track, frames */
  int32_t processPosition;                  /* 32 host: where the resampler reads, frames */
  int32_t trackLength;                      /* 36 host: track length in frames; 0 when unknown,
                                                      and then both positions are 0 too */
  void* module;                             /* 40 host: module handle of the effect library */
  void* mainWindow;                         /* 44 host: main window handle */
  int32_t hostVersion;                      /* 48 host: ZARNEL_EFFECT_HOST_VERSION */
  int32_t slot;                             /* 52 host: slot index 0..5 (desk = slot & 1) */
} ZarnelEffect;

/* The operations, in table order. Each takes the object first, uses
 * ZARNEL_EFFECT_CALL and returns 0. */
struct ZarnelEffectOperations {
  /* Once after creation: sets the default parameter values. */
  int32_t(ZARNEL_EFFECT_CALL* init)(ZarnelEffect* self);
  /* Points *name and *vendor at the effect's own constant strings. */
  int32_t(ZARNEL_EFFECT_CALL* getInfo)(ZarnelEffect* self, const char** name, const char** vendor);
  /* Writes the parameter count (at most 3) and points the first count entries
   * of the host's array of three names at the effect's constant strings. */
  int32_t(ZARNEL_EFFECT_CALL* getParameters)(ZarnelEffect* self, int32_t* count, const char** names);
  /* The effect is switched on; it resets itself. */
  int32_t(ZARNEL_EFFECT_CALL* start)(ZarnelEffect* self);
  /* Audio thread: rewrites count stereo frames in place. */
  int32_t(ZARNEL_EFFECT_CALL* process)(ZarnelEffect* self, int16_t* frames, int32_t count);
  /* Audio thread: delta <= 0; the host threw away the last -delta frames the
   * effect processed, which will be processed again. */
  int32_t(ZARNEL_EFFECT_CALL* rewind)(ZarnelEffect* self, int32_t delta);
  /* The effect is switched off; start comes before the next process. */
  int32_t(ZARNEL_EFFECT_CALL* stop)(ZarnelEffect* self);
  /* Destroys the object. */
  int32_t(ZARNEL_EFFECT_CALL* release)(ZarnelEffect* self);
};

/* The class factory, exported as `DllGetClassObject` (`_DllGetClassObject@12`
 * on 32-bit Windows). With interfaceId equal to the effect interface it
 * stores a new effect object at *object and returns ZARNEL_EFFECT_OK; any
 * other interface gives CLASS_E_CLASSNOTAVAILABLE. The class identifier is
 * not checked. A negative result means no object. */
typedef int32_t(ZARNEL_EFFECT_CALL* ZarnelEffectFactory)(const ZarnelGuid* classId, const ZarnelGuid* interfaceId,
                                                         void** object);
#define ZARNEL_EFFECT_FACTORY_NAME "DllGetClassObject"
#define ZARNEL_EFFECT_FACTORY_STDCALL_NAME "_DllGetClassObject@12"

/* The older form: a library without the class factory exports
 * `GetZarnelDsp` (no arguments), which returns its record of plain
 * functions, all ZARNEL_EFFECT_CDECL. The host wraps the record in an object
 * of the layout above; a null function is skipped; such an effect reports no
 * parameters and an empty vendor. user is the address of a pointer-sized
 * slot of the host's wrapper reserved for the effect. */
typedef struct ZarnelDspFunctions {
  const char* name; /*  0 reported as the name */
  void* reserved;   /*  4 */
  void(ZARNEL_EFFECT_CDECL* process)(int16_t* frames, int32_t count, float tempo, float secondTempo,
                                     void* user);               /*  8 */
  void(ZARNEL_EFFECT_CDECL* init)(void* user);                  /* 12 */
  void(ZARNEL_EFFECT_CDECL* release)(void* user);               /* 16 */
  void(ZARNEL_EFFECT_CDECL* start)(void* user);                 /* 20 */
  void(ZARNEL_EFFECT_CDECL* stop)(void* user);                  /* 24 */
  void(ZARNEL_EFFECT_CDECL* rewind)(void* user, int32_t delta); /* 28 */
  void* module;                                                 /* 32 host, before init */
  void* mainWindow;                                             /* 36 host, before init */
} ZarnelDspFunctions;

typedef ZarnelDspFunctions*(ZARNEL_EFFECT_CDECL* ZarnelDspEntry)(void);
#define ZARNEL_DSP_ENTRY_NAME "GetZarnelDsp"

#ifdef __cplusplus
} /* extern "C" */
#define ZARNEL_EFFECT_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define ZARNEL_EFFECT_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

/* The published 32-bit layouts. */
#if UINTPTR_MAX == 0xFFFFFFFFu
ZARNEL_EFFECT_STATIC_ASSERT(sizeof(ZarnelEffect) == 56, "information block is 56 bytes");
ZARNEL_EFFECT_STATIC_ASSERT(offsetof(ZarnelEffect, tempo) == 20, "tempo at 20");
ZARNEL_EFFECT_STATIC_ASSERT(offsetof(ZarnelEffect, heardPosition) == 28, "heard position at 28");
ZARNEL_EFFECT_STATIC_ASSERT(offsetof(ZarnelEffect, module) == 40, "module handle at 40");
ZARNEL_EFFECT_STATIC_ASSERT(offsetof(ZarnelEffect, slot) == 52, "slot at 52");
ZARNEL_EFFECT_STATIC_ASSERT(sizeof(ZarnelEffectOperations) == 32, "eight operations");
ZARNEL_EFFECT_STATIC_ASSERT(offsetof(ZarnelDspFunctions, process) == 8, "process at 8");
ZARNEL_EFFECT_STATIC_ASSERT(offsetof(ZarnelDspFunctions, module) == 32, "module handle at 32");
ZARNEL_EFFECT_STATIC_ASSERT(sizeof(ZarnelDspFunctions) == 40, "function record is 40 bytes");
ZARNEL_EFFECT_STATIC_ASSERT(sizeof(ZarnelEffectTrack) == 32, "track record is 32 bytes");
ZARNEL_EFFECT_STATIC_ASSERT(offsetof(ZarnelEffectTrack, tempo) == 20, "track tempo at 20");
#endif
ZARNEL_EFFECT_STATIC_ASSERT(sizeof(ZarnelEffectOperations) == 8 * sizeof(void (*)(void)), "eight operations");

#endif /* ZARNEL_EFFECT_H */
