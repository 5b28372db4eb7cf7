#include "model/KanalListen.h"

#include "model/Modul.h"

namespace zyn {

template <class T>
TModul* TKanalListeOf<T>::ParentModul() const {
  return dynamic_cast<TModul*>(this->Parent);
}

template class TKanalListeOf<TEingang>;
template class TKanalListeOf<TAusgang>;
template class TKanalListeOf<TRueckmeldung>;

}  // namespace zyn
