#pragma once
#include "ejecucion/Interlocutor.h"

namespace pasaplan {

// The hourglass for the length of a scope: also back to normal when an error ends the run.
class RelojArenaActivo {
  public:
    explicit RelojArenaActivo(Interlocutor& interlocutor) : interlocutor_(interlocutor) {
        interlocutor_.RelojArena(true);
    }
    ~RelojArenaActivo() { Terminar(); }
    void Terminar() {
        if (activo_) {
            activo_ = false;
            interlocutor_.RelojArena(false);
        }
    }
    RelojArenaActivo(const RelojArenaActivo&) = delete;
    RelojArenaActivo& operator=(const RelojArenaActivo&) = delete;

  private:
    Interlocutor& interlocutor_;
    bool activo_ = true;
};

}  // namespace pasaplan
