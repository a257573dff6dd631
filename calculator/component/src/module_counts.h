#pragma once
// Everything that keeps the library in use: live objects (calculators and
// class factories) and server locks taken through IClassFactory::LockServer.

namespace ombra::com::module {

void objectCreated();
void objectDestroyed();
void lock();
// False when there was no lock to release (the count never goes below zero).
bool unlock();

// True when no object is alive and no lock is held.
bool idle();

}  // namespace ombra::com::module
