// Control model.
