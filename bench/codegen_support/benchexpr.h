// The user header that the generated benchmark parser includes: nothing is needed without
// tree hooks and actions.
