// Placeholder until the first real source of this folder lands; delete it then.
