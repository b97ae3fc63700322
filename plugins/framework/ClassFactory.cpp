// The library's one export: the class factory of the effect interface.

#include "plugins/framework/ClassFactory.h"

extern "C" ZARNEL_EFFECT_EXPORT int32_t ZARNEL_EFFECT_CALL DllGetClassObject(const ZarnelGuid* classId,
                                                                             const ZarnelGuid* interfaceId,
                                                                             void** object);

// The class identifier is not checked: each library holds one class.
// Return: ZARNEL_EFFECT_OK with the new object at *object;
// CLASS_E_CLASSNOTAVAILABLE for another interface; ZARNEL_EFFECT_E_POINTER
// without an address or an interface; ZARNEL_EFFECT_E_OUTOFMEMORY when the
// object cannot be allocated. *object is null after every failure.
extern "C" int32_t ZARNEL_EFFECT_CALL DllGetClassObject(const ZarnelGuid*, const ZarnelGuid* interfaceId,
                                                        void** object) {
  if (object == nullptr) return ZARNEL_EFFECT_E_POINTER;
  *object = nullptr;
  if (interfaceId == nullptr) return ZARNEL_EFFECT_E_POINTER;
  const ZarnelGuid effectInterface = ZARNEL_EFFECT_INTERFACE_ID_INIT;
  if (!zarnelGuidEqual(interfaceId, &effectInterface)) return CLASS_E_CLASSNOTAVAILABLE;
  ZarnelEffect* effect = zarnel::effects::createEffect();
  if (effect == nullptr) return ZARNEL_EFFECT_E_OUTOFMEMORY;
  *object = effect;
  return ZARNEL_EFFECT_OK;
}
